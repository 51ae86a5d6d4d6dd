#pragma once

#include "link/ddatareceiver.h"
#include "link/devicetextdecoder.h"
#include "jobs/workerthread.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Why a history query failed, beside the text it showed.
enum class HistoryFailure {
    None,
    CannotOpen, // the link did not open
    Link        // the query was not sent or nothing came: linkError() says how
};

// Sends one history query and turns the instrument's answer into record lines until the line
// falls silent, the stream fails or stop() is called. The lines of each received chunk go out in
// one signal; bytes after the last line feed when the stream ends are a record cut off, never
// passed on as a line. stop() is noticed also while the stream still waits for its first bytes.
class ReadThread : public WorkerThread, public DDataReceiver
{
    Q_OBJECT
public:
    // A line that has gone on this long without a line feed is passed on as it stands, so that an
    // instrument that never ends its line cannot make the transfer hold it all.
    static constexpr int MaxLineBytes = 64 * 1024;

    ReadThread();
    ~ReadThread() override;

    // Stores the query frame and starts a run; false, and nothing changed, while one is going on.
    bool startRead(const QByteArray& request);
    // The link to read from instead of config.ini (the command-line tool's own flags); set while
    // the thread is not running.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }

    // Why the last run failed (read after finished()); None when the stream ended or was stopped.
    HistoryFailure failure() const { return failureCode; }
    LinkError linkError() const { return failureLink; }

    bool isStopped() override;
    void onError(const QString& text) override;
    void onFailure(LinkError error) override;
    void onData(const QByteArray& chunk) override;

signals:
    void signalClearText();
    // One or more whole lines, each with its terminator as the instrument sent it.
    void signalAddLines(const QString& lines);
    void signalShowError(const QString& title, const QString& error);
    // The stream ended inside a line: those bytes were dropped; every line before them came whole.
    void signalCutOff();

protected:
    void run() override;

private:
    void passOn(const QByteArray& lines);
    void passOnOverlongLine();

    QByteArray unfinished; // the bytes after the last line feed; touched only by the run
    QByteArray request;    // written only while no run is going on
    DeviceTextDecoder decoder;
    std::optional<LinkSettings> link;
    HistoryFailure failureCode = HistoryFailure::None;
    LinkError failureLink = LinkError::None;
};
