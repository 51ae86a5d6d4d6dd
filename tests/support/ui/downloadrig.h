#pragma once
// The update dialog's download group in front of a download server on loopback with two
// packages, for the catalogue and download tests; its page address is typed into the dialog.

#include "sim/downloadserver.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QPushButton>
#include <QTest>

struct DownloadRig
{
    WorkDir dir;
    DownloadServer server;
    UpdateDialogDriver driver;

    DownloadRig()
    {
        server.addPackages(QStringLiteral("ZQ-100"));
        server.listen(QHostAddress::LocalHost);
        driver.setPage(server.pageUrl());
    }
    QString folder() const { return dir.filePath(QStringLiteral("down")); }
    void chooseFolder()
    {
        driver.prompter.nextFileName(folder());
        QTest::mouseClick(driver.button("bntSelectPath"), Qt::LeftButton);
    }
};
