#pragma once

#include "link/ddatareceiver.h"
#include "link/frames.h"
#include "link/linkerror.h"
#include "link/linktimings.h"
#include "link/replyledger.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

class LinkTransport;

// The link to the instrument for one operation: built on the stack of the thread that performs it,
// opened with the link's settings, used for a few exchanges and destroyed with the operation. The
// bytes travel through a LinkTransport that open() takes from makeLinkTransport (the serial line
// or UDP, or in tests an instrument in memory).
class LinkChannel
{
public:
    LinkChannel();
    ~LinkChannel();
    LinkChannel(const LinkChannel&) = delete;
    LinkChannel& operator=(const LinkChannel&) = delete;

    // Opens the link that config.ini describes; false leaves the reason in openFailure().
    bool openFromSettings();
    // Opens the link that settings describe. Settings that cannot be used as they stand (a port
    // of 70000, a device address of 300) are refused with a text that names the key and its value.
    bool open(const LinkSettings& settings);

    // Sends request and collects the reply (cleared first) until a whole reply frame has come.
    // timeoutMs bounds the whole exchange, so a talker that keeps sending stray bytes cannot keep
    // it waiting; over the serial port the pieces of a reply that has begun may go on for one piece
    // gap beyond it. The frame may come behind other bytes (an instrument's debug lines, noise):
    // those go to the stray listener; bytes after it are kept for the next exchange or receive.
    // A frame that answers an earlier request that timed out is dropped (ReplyLedger).
    ExchangeResult exchange(const QByteArray& request, QByteArray& reply, CrcOrder order, int timeoutMs);
    ExchangeResult readItem(int index, QByteArray& reply, int timeoutMs);

    // Sends request, then hands every chunk to receiver until it stops or the line falls silent
    // (LinkTimings: 1000 ms over UDP, 500 ms over the serial port). The first bytes must come within
    // LinkTimings::streamFirstDataMs; failures go to receiver->onFailure.
    void receiveStream(const QByteArray& request, DDataReceiver* receiver);

    // Waits up to timeoutMs for bytes from the instrument without sending anything (its debug lines,
    // for instance) and returns all that have come; empty when nothing did. Over UDP only the
    // instrument's datagrams count.
    QByteArray receive(int timeoutMs);

    // Who is handed the bytes found around replies that are no reply (debug lines, noise); without
    // a listener they are dropped. Called on the channel's thread, during its waits.
    void setStrayListener(std::function<void(const QByteArray&)> listener) { strayListener = std::move(listener); }

    // A flag that the operation's owner sets from another thread to end every wait at once:
    // an exchange then returns ExchangeStopped, a stream or a receive ends without an error.
    void setStopFlag(const std::atomic<bool>* flag) { stopFlag = flag; }
    // During a stream, a receiver that stops (a closing dialog) also ends the waits.
    bool stopRequested() const
    {
        return (stopFlag && stopFlag->load()) || (streamReceiver && streamReceiver->isStopped());
    }

    // Whether a datagram from sender:senderPort comes from the instrument at peer:peerPort.
    static bool isPeer(const QHostAddress& peer, quint16 peerPort, const QHostAddress& sender, quint16 senderPort);

    bool isUdp() const { return settings.useUdp; }
    bool sendsRts() const { return settings.sendRts; }
    quint8 deviceAddress() const { return quint8(settings.deviceAddress); }
    // The rate the serial line was set to; 0 over UDP or before opening.
    qint32 lineBaudRate() const;
    // Datagrams from the instrument that the system dropped since opening, because they came faster
    // than this thread took them: what was received may have gaps anywhere. 0 over the serial line.
    quint64 droppedDatagrams() const;
    // Now on the transport's clock, in milliseconds (a steady clock on the real lines), by which
    // a reader dates what arrives; 0 before opening.
    qint64 nowMs() const { return now(); }
    // Why the last open failed; kind None after one that succeeded.
    LinkOpenFailure openFailure() const { return failure; }
    // CannotOpen after a failed open, else None.
    LinkError openError() const { return failure.failed() ? LinkError::CannotOpen : LinkError::None; }

private:
    // Now on the transport's clock, by which the ledger dates requests and replies.
    qint64 now() const;
    void setAside(const QByteArray& bytes);
    // Before a request goes out, what is still around is judged: replies to requests that timed
    // out pay their debts, everything else is set aside.
    void settleBeforeSend(CrcOrder order);
    // Takes the first whole reply out of received (bytes before it set aside, frames that pay
    // debts dropped); true when one answers the waiting request. pieceEnds marks where each piece
    // that came ended, so that a reply with the instrument's lines between its pieces is found.
    bool takeReply(QByteArray& received, QVector<int>& pieceEnds, CrcOrder order, QByteArray& reply);
    // Removes the first count bytes of received, and their pieces.
    static void dropFront(QByteArray& received, QVector<int>& pieceEnds, int count);

    LinkSettings settings;
    LinkTimings timings;
    LinkOpenFailure failure;
    const std::atomic<bool>* stopFlag = nullptr;
    DDataReceiver* streamReceiver = nullptr; // the receiver of the stream under way
    std::unique_ptr<LinkTransport> transport;
    std::function<void(const QByteArray&)> strayListener;
    QByteArray held; // bytes after the last reply, for the next reader
    ReplyLedger ledger;
};
