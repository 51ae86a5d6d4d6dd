#include "app/windowsize.h"

#include "app/screenfit.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include <climits>

#include <QAction>
#include <QMainWindow>
#include <QSettings>
#include <QToolBar>

QSize storedWindowSize(Config& settings, const QWidget& window)
{
    const int width = int(settings.heldInteger(Settings::WindowWidth, 0, INT_MAX));
    const int height = qMax(600, int(settings.heldInteger(Settings::WindowHeight, 0, INT_MAX)));
    return QSize(width, height).boundedTo(availableScreenSize(window));
}

void saveWindowSize(Config& settings, const QWidget& window)
{
    settings.setValue(Settings::WindowWidth, window.width());
    settings.setValue(Settings::WindowHeight, window.height());
    settings.settings()->sync();
}

void fitToolBarWidth(QMainWindow& window, QToolBar& toolBar)
{
    const int screenWidth = availableScreenSize(window).width();
    toolBar.setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const int width = qMin(toolBarWidth(toolBar), screenWidth);
    if (width == screenWidth)
        toolBar.setToolButtonStyle(Qt::ToolButtonIconOnly);
    window.setMinimumWidth(width);
    window.resize(qMin(qMax(width, window.width()), screenWidth), window.height());
}

void shrinkToolBarIcons(QToolBar& toolBar)
{
    for (QAction* action : toolBar.actions())
        action->setIcon(QIcon(action->icon().pixmap(QSize(16, 16), QIcon::Normal, QIcon::Off)));
}
