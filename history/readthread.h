#pragma once

#include "link/lineassembler.h"
#include "link/ddatareceiver.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>
#include <optional>

// Why a history query failed, beside the text it showed.
enum class HistoryFailure {
    None,
    CannotOpen, // the link did not open
    Link        // the query was not sent or nothing came: linkError() says how
};

// Sends one history query and turns the instrument's answer into record lines, one signal per
// line with its terminator, until the line falls silent, the stream fails or stop() is called.
class ReadThread : public QThread, public DDataReceiver
{
    Q_OBJECT
public:
    ReadThread();
    ~ReadThread() override;

    // Stores the query frame and starts a run; the caller checks isRunning() first.
    void startRead(const QByteArray& request);
    // Asks the run to end; noticed also while the stream still waits for its first bytes.
    void stop();
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
    void signalAddText(const QString& text);
    void signalShowError(const QString& title, const QString& error);

protected:
    void run() override;

private:
    void emitLine(const QByteArray& line);

    std::atomic<bool> stopRequested{false};
    LineAssembler lineBuffer; // touched only by the run
    QByteArray request;       // written only while no run is going on
    std::optional<LinkSettings> link;
    HistoryFailure failureCode = HistoryFailure::None;
    LinkError failureLink = LinkError::None;
};
