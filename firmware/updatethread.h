#pragma once

#include "firmware/dencryptinfo.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QThread>

#include <atomic>
#include <optional>

#include "link/linkerror.h"

class LinkChannel;

// Why an update run failed, beside the text it showed.
enum class UpdateFailure {
    None,
    BadPackage, // no image or no model: refused before anything was sent
    CannotOpen, // the link did not open
    NoIdentity, // the loader did not answer the identify request, twice
    WrongModel, // it named another model
    EraseFailed,
    PageFailed
};

// Writes a package's image into the instrument's firmware loader: identify, check the model,
// erase announcing the size, then 1024-byte pages each acknowledged, then EndUpdate twice.
// Reports only through its signals.
class UpdateThread : public QThread
{
    Q_OBJECT
public:
    // The steps of a run, in order; every run that reaches the instrument ends with Finishing
    // unless an erase or a page failed.
    enum Stage { Identifying, Erasing, Writing, Finishing };

    UpdateThread();
    // Waits for a running transfer: the thread is never destroyed while it runs.
    ~UpdateThread() override;

    // Called while the thread is not running.
    void setInfo(const DEncryptInfo& info);
    // The link to write through instead of config.ini (the command-line tool's own flags).
    void setLinkSettings(const LinkSettings& settings) { link = settings; }

    // Why a package cannot be written (no image, no model), or an empty text. Such a package
    // is refused before anything reaches the instrument.
    static QString refusal(const DEncryptInfo& info);
    // Whether the identify reply names exactly this model ("!Find MODEL OK", the '!' optional).
    static bool modelMatches(const QString& model, const QByteArray& reply);
    // The model an identify reply names, or its text when it names none; bounded and printable.
    static QString modelOf(const QByteArray& reply);
    // What the operator reads for a stage: the step, and for Writing the page (current of total),
    // for Finishing the seconds left (current).
    static QString stageText(int stage, int current = 0, int total = 0);
    static constexpr int MaxShownModelLength = 40;
    // The longest the finish sequence may take.
    int finishTimeoutMs() const { return 2 * exchangeTimeoutMs; }
    // Whether reply acknowledges a step. The loader's erase reply may differ around its
    // "Erase OK" text; a page is acknowledged only by its own reply.
    static bool isAcknowledged(const QByteArray& reply, const QByteArray& expected, bool eraseStep);

    // Why the last run failed (read after finished()); None after success. linkError() tells
    // whether the failing step went unanswered (NoReply...) or was answered wrongly (None).
    UpdateFailure failure() const { return failureCode; }
    LinkError linkError() const { return failureLink; }

    // How long each exchange waits for the instrument; tests shorten it.
    void setExchangeTimeout(int ms) { exchangeTimeoutMs = ms; }

signals:
    void signalUpdateSucceed();
    void signalShowErrorMessage(const QString& error);
    void signalUpdateProgress(int value);
    // The stage that begins now (Writing: once per page, current counting from 1).
    void signalStage(int stage, int current, int total);
    // The model the instrument named when identified.
    void signalDeviceModel(const QString& model);

protected:
    void run() override;

private:
    int exchange(LinkChannel& channel, const QByteArray& request, QByteArray& reply);
    bool expectAck(LinkChannel& channel, const QByteArray& request, const QByteArray& expected, bool eraseStep);
    void finish(LinkChannel& channel);
    void fail(UpdateFailure code, const QString& text);

    DEncryptInfo info;
    std::optional<LinkSettings> link;
    std::atomic<int> exchangeTimeoutMs{10000};
    UpdateFailure failureCode = UpdateFailure::None;
    LinkError failureLink = LinkError::None; // of the last exchange
};
