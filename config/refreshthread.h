#pragma once

#include <QStringList>
#include <QThread>

class LinkChannel;

// Reads the instrument's configuration items one by one and hands them to the window as rows.
class RefreshThread : public QThread
{
    Q_OBJECT
public:
    using QThread::QThread;

signals:
    void signalClearItems();
    void signalAddItems(int index, const QStringList& fields);
    void showErrorMessage(const QString& title, const QString& text, const QString& iconPath);

protected:
    void run() override;

private:
    void readAllItems(LinkChannel& channel);
    bool checkItemReply(int result, LinkChannel& channel, int index, const QString& title,
                        const QString& iconPath, QByteArray& reply);
};
