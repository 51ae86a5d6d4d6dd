#pragma once

#include "firmware/ui/updatedialog.h"
#include "tests/support/ui/scriptedprompter.h"

#include <QByteArray>
#include <QString>

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Drives the firmware update dialog as an operator would: its buttons are clicked and its boxes
// answered by the scripted prompter. The workers' time limits are shortened so failures come fast.
//     WorkDir dir;  SimFixture instrument;  instrument.useUdp();
//     UpdateDialogDriver driver;
//     driver.selectPackage(driver.makePackage("a.zqbin", "ZQ-100", image));
//     QVERIFY(driver.update());
//     QCOMPARE(driver.prompter.texts(), QStringList{"固件更新成功!"});
class UpdateDialogDriver
{
public:
    static constexpr int ExchangeTimeoutMs = 250;
    static constexpr int IdleTimeoutMs = 800;
    static constexpr qint64 SizeLimitBytes = 2 * 1024 * 1024;

    // With sharedUpdater the dialog borrows that worker, as the main window lends its own.
    explicit UpdateDialogDriver(UpdateThread* sharedUpdater = nullptr);

    ScriptedPrompter prompter;
    UpdateDialog dialog;

    QPushButton* button(const char* name) const;
    QLineEdit* edit(const char* name) const;
    QProgressBar* bar(const char* name) const;
    QComboBox* fileList() const;

    // Writes a package into Files/ of the working directory and returns its path.
    static QString makePackage(const QString& fileName, const QString& model, const QByteArray& image,
                               const QString& device = QStringLiteral("流量计"),
                               const QString& version = QStringLiteral("V1.0"));

    void selectPackage(const QString& path);
    // Types the catalogue page's address into the dialog.
    void setPage(const QString& url);
    // Presses 烧写 and waits until the transfer has ended and the dialog has taken its last report.
    // False when no transfer ran or it did not end in time.
    bool update(int timeoutMs = 8000);
    // Presses the button and waits until the worker it starts has ended and been reported.
    bool refresh(int timeoutMs = 8000);
    bool download(int timeoutMs = 8000);

private:
    bool pressAndWait(const char* buttonName, JobRunner& runner, int timeoutMs);
};
