#include "help/ui/manualwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Dialogs by class, to the section that tells about them. The class names are the windows' own,
// so a dialog needs no code of its own for F1.
struct WindowSection
{
    const char* className;
    const char* section;
};
const WindowSection windowSections[] = {
    {"HistoryData", "history"},         {"MonitorDialog", "monitor"},      {"UpdateDialog", "firmware"},
    {"SetupDialog", "connect"},         {"SearchDeviceDialog", "connect"}, {"ModifyDialog", "configuration"},
    {"NeutralAboutDialog", "settings"},
};

} // namespace

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent), text(new QTextBrowser(this))
{
    setWindowFlag(Qt::Window);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("ManualWindow"));
    setWindowTitle(tr("使用手册"));
    text->setObjectName(QStringLiteral("manualText"));
    text->setOpenExternalLinks(false);
    text->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    text->setSource(QUrl(QStringLiteral("qrc") + resourceFor(QLocale())));
    // A readable page, yet never beyond the screen it opens on.
    QSize size(640, 720);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
}

ManualWindow* ManualWindow::open(QWidget* from, const QString& section)
{
    QWidget* owner = from ? from->window() : nullptr;
    ManualWindow* manual = owner ? owner->findChild<ManualWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!manual)
        manual = new ManualWindow(owner);
    manual->showSection(section);
    manual->show();
    manual->raise();
    manual->activateWindow();
    return manual;
}

QString ManualWindow::resourceFor(const QLocale& locale)
{
    if (locale.language() == QLocale::English)
        return QStringLiteral(":/manual/en_US.html");
    if (locale.language() == QLocale::Chinese
        && (locale.script() == QLocale::TraditionalChineseScript || locale.country() == QLocale::Taiwan))
        return QStringLiteral(":/manual/zh_TW.html");
    return QStringLiteral(":/manual/zh_CH.html");
}

QString ManualWindow::sectionFor(const QWidget* window)
{
    if (!window)
        return QString();
    for (const WindowSection& entry : windowSections) {
        if (window->inherits(entry.className))
            return QString::fromLatin1(entry.section);
    }
    return QString();
}

void ManualWindow::showSection(const QString& section)
{
    if (section.isEmpty())
        text->verticalScrollBar()->setValue(0);
    else
        text->scrollToAnchor(section);
}
