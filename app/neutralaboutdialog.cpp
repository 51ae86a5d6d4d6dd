#include "app/neutralaboutdialog.h"

#include "settings/config.h"

#include "ui_neutralaboutdialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The folder itself, or the nearest one above it that exists (Backups appears with the first write).
QString existingFolder(QString path)
{
    while (!QDir(path).exists() && !QDir(path).isRoot())
        path = QDir::cleanPath(path + QStringLiteral("/.."));
    return path;
}

} // namespace

NeutralAboutDialog::NeutralAboutDialog(QWidget* parent) : QDialog(parent), form(new Ui::NeutralAboutDialog)
{
    form->setupUi(this);
    connect(form->bntOK, SIGNAL(clicked()), this, SLOT(accept()));

    setWindowIcon(QIcon(QStringLiteral(":/image/about.png")));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    form->labelVersion->setText(applicationTitle());

    // Beyond the name: what a service call asks for first, and where the files are.
    auto* details = new QLabel(
        tr("版本 %1, 构建于 %2, Qt %3")
                .arg(QStringLiteral(ZQ_VERSION), QStringLiteral(ZQ_BUILD_DATE), QString::fromLatin1(qVersion()))
            + QLatin1Char('\n') + tr("许可: 专有软件, 仅供配置 ZQ 系列仪器使用; Qt 按 LGPL 第 3 版使用。"),
        this);
    details->setObjectName(QStringLiteral("labelDetails"));
    details->setWordWrap(true);
    details->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* folders = new QGridLayout;
    const QString settingsFolder = QDir::currentPath();
    const struct
    {
        const char* name;
        QString label;
        QString path;
    } places[] = {
        {"bntOpenSettings", tr("设置文件 config.ini:"), settingsFolder},
        {"bntOpenBackups", tr("配置备份:"), settingsFolder + QStringLiteral("/Backups")},
    };
    int row = 0;
    for (const auto& place : places) {
        auto* path = new QLabel(QDir::toNativeSeparators(place.path), this);
        path->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* open = new QPushButton(tr("打开文件夹"), this);
        open->setObjectName(QString::fromLatin1(place.name));
        const QString folder = place.path;
        connect(open, &QPushButton::clicked, this,
                [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(existingFolder(folder))); });
        folders->addWidget(new QLabel(place.label, this), row, 0);
        folders->addWidget(path, row, 1);
        folders->addWidget(open, row, 2);
        ++row;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(form->bntOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form->labelVersion);
    layout->addWidget(details);
    layout->addLayout(folders);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Fixed now, not only once shown: whoever looks at the box before it shows sees its size.
    layout->activate();
}

NeutralAboutDialog::~NeutralAboutDialog()
{
    delete form;
}
