#pragma once

#include "config/configoutcome.h"
#include "link/frames.h"
#include "jobs/workerthread.h"
#include "settings/linksettings.h"

#include <QStringList>

#include <optional>

class LinkChannel;

// Reads the instrument's configuration items one by one and hands them to the window as rows.
// stop() ends the read soon (between items, or within a fraction of a second of a wait) without a
// message; the rows already sent stay.
class RefreshThread : public WorkerThread
{
    Q_OBJECT
public:
    using WorkerThread::WorkerThread;
    ~RefreshThread() override { stopAndWait(); }

    // How a read ended, as signalReadEnded tells it.
    enum ReadEnd { ReadComplete, ReadFailed, ReadStopped };
    Q_ENUM(ReadEnd)

    // Starts a read unless one runs; a stop asked of an earlier read does not carry over.
    void startRead() { startWork(); }
    // The link to read from instead of config.ini (the command-line tool's own flags); set while
    // the thread is not running.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }
    // Why the last read failed, for whoever waited for it (read after finished()); None when it
    // ended at the empty item or was stopped.
    ConfigFailure failure() const { return failureCode; }
    LinkError linkError() const { return failureLink; }

signals:
    void signalClearItems();
    // Which conversion read the item's text, just before its row (a DeviceCodec): the value goes
    // back to the instrument the same way when it is written unchanged.
    void signalItemCodec(int index, int codec);
    void signalAddItems(int index, const QStringList& fields);
    void showErrorMessage(const QString& title, const QString& text, const QString& iconPath);
    // Whether the instrument answered: once at its first reply, or once when it stays silent
    // (before the error box of that failure).
    void signalContact(int contact); // a LinkContact
    // The last signal of every read that opened its link: how it ended and how many items came.
    void signalReadEnded(int end, int itemsRead);

protected:
    void run() override;

private:
    void readAllItems(LinkChannel& channel);
    // Whether the read ends here: at the empty item, or after an error it has reported. A failed
    // item is asked for once more (index -1 marks that retry).
    bool isLastItem(ExchangeResult result, LinkChannel& channel, int index, const QString& title,
                    const QString& iconPath, QByteArray& reply);
    void fail(ConfigFailure code, LinkError link, const QString& title, const QString& text, const QString& iconPath);

    void tellContact(ExchangeResult result);

    bool answered = false; // the instrument's answer has been told
    std::optional<LinkSettings> link;
    ConfigFailure failureCode = ConfigFailure::None;
    LinkError failureLink = LinkError::None;
};
