#include "tests/support/ui/updatedialogdriver.h"

#include "firmware/packagewriter.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <atomic>

UpdateDialogDriver::UpdateDialogDriver(UpdateThread* sharedUpdater) : dialog(nullptr, sharedUpdater)
{
    dialog.updateThread().setExchangeTimeout(ExchangeTimeoutMs);
    dialog.fetchTimes().idleTimeoutMs = IdleTimeoutMs;
    dialog.setDownloadSizeLimit(SizeLimitBytes);
    dialog.show();
}

QPushButton* UpdateDialogDriver::button(const char* name) const
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

QLineEdit* UpdateDialogDriver::edit(const char* name) const
{
    return dialog.findChild<QLineEdit*>(QLatin1String(name));
}

QProgressBar* UpdateDialogDriver::bar(const char* name) const
{
    return dialog.findChild<QProgressBar*>(QLatin1String(name));
}

QComboBox* UpdateDialogDriver::fileList() const
{
    return dialog.findChild<QComboBox*>(QStringLiteral("cmbFileList"));
}

QString UpdateDialogDriver::makePackage(const QString& fileName, const QString& model, const QByteArray& image,
                                        const QString& device, const QString& version)
{
    QDir().mkpath(QStringLiteral("Files"));
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("Files/") + fileName);
    const QString error = PackageWriter::write(path, PackageWriter::fields(device, model, version, image));
    return error.isEmpty() ? path : QString();
}

void UpdateDialogDriver::selectPackage(const QString& path)
{
    prompter.nextFileName(path);
    QTest::mouseClick(button("bntSelectFile"), Qt::LeftButton);
}

void UpdateDialogDriver::setPage(const QString& url)
{
    edit("edPageUrl")->setText(url);
}

bool UpdateDialogDriver::pressAndWait(const char* buttonName, JobRunner& runner, int timeoutMs)
{
    // A job may end before the click returns (a link refused at once): its end is seen directly.
    bool ended = false;
    std::atomic<bool> endedAtAll{false};
    const QMetaObject::Connection watchEnd =
        QObject::connect(&runner, &JobRunner::jobEnded, &dialog, [&ended] { ended = true; });
    const QMetaObject::Connection watchAny = QObject::connect(
        &runner, &JobRunner::jobEnded, &runner, [&endedAtAll] { endedAtAll = true; }, Qt::DirectConnection);
    QTest::mouseClick(button(buttonName), Qt::LeftButton);
    const bool started = runner.isWorking() || endedAtAll;
    const bool done = started && QTest::qWaitFor([&ended] { return ended; }, timeoutMs);
    if (started && !done) {
        runner.waitForIdle();
        QCoreApplication::processEvents(); // the queued end report still refers to `ended`
    }
    QObject::disconnect(watchEnd);
    QObject::disconnect(watchAny);
    return done;
}

bool UpdateDialogDriver::update(int timeoutMs)
{
    // Connected after the dialog's own handler, so this runs after the dialog saw the end.
    bool ended = false;
    UpdateThread& runner = dialog.updateThread();
    const QMetaObject::Connection watchEnd =
        QObject::connect(&runner, &JobRunner::jobEnded, &dialog, [&ended] { ended = true; });
    // Every run either names a stage or fails to open, perhaps before the click has returned.
    std::atomic<bool> began{false};
    const auto mark = [&began] { began = true; };
    const QMetaObject::Connection watchStage =
        QObject::connect(&runner, &UpdateThread::signalStage, &runner, mark, Qt::DirectConnection);
    const QMetaObject::Connection watchFailure =
        QObject::connect(&runner, &UpdateThread::signalUpdateFailed, &runner, mark, Qt::DirectConnection);
    QTest::mouseClick(button("bntUpdate"), Qt::LeftButton);
    const bool started = runner.isRunning() || began;
    const bool done = started && QTest::qWaitFor([&ended] { return ended; }, timeoutMs);
    if (started && !done) {
        runner.wait();
        QCoreApplication::processEvents(); // the queued end report still refers to `ended`
    }
    QObject::disconnect(watchEnd);
    QObject::disconnect(watchStage);
    QObject::disconnect(watchFailure);
    return done;
}

bool UpdateDialogDriver::refresh(int timeoutMs)
{
    return pressAndWait("bntRefresh", dialog.downloadRunner(), timeoutMs);
}

bool UpdateDialogDriver::download(int timeoutMs)
{
    return pressAndWait("bntDownload", dialog.downloadRunner(), timeoutMs);
}
