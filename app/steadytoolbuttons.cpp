#include "app/steadytoolbuttons.h"

#include <QAction>
#include <QActionEvent>
#include <QToolBar>
#include <QToolButton>

void SteadyToolButtons::install(QToolBar* toolBar)
{
    auto* filter = new SteadyToolButtons(toolBar);
    toolBar->installEventFilter(filter);
    for (QAction* action : toolBar->actions()) {
        filter->lookTaken.insert({toolBar, action}, Look(action));
        if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action))) {
            button->installEventFilter(filter);
            filter->lookTaken.insert({button, action}, Look(action));
        }
    }
}

SteadyToolButtons::Look::Look(const QAction* action)
    : text(action->text()),
      iconText(action->iconText()),
      toolTip(action->toolTip()),
      statusTip(action->statusTip()),
      whatsThis(action->whatsThis()),
      icon(action->icon().cacheKey()),
      font(action->font()),
      priority(action->priority()),
      checkable(action->isCheckable()),
      checked(action->isChecked()),
      visible(action->isVisible()),
      separator(action->isSeparator()),
      menu(action->menu() != nullptr)
{ }

bool SteadyToolButtons::Look::operator==(const Look& other) const
{
    return text == other.text && iconText == other.iconText && toolTip == other.toolTip && statusTip == other.statusTip
        && whatsThis == other.whatsThis && icon == other.icon && font == other.font && priority == other.priority
        && checkable == other.checkable && checked == other.checked && visible == other.visible
        && separator == other.separator && menu == other.menu;
}

bool SteadyToolButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ActionChanged)
        return false;
    const QAction* action = static_cast<QActionEvent*>(event)->action();
    const auto taken = lookTaken.find({watched, action});
    if (taken == lookTaken.end())
        return false;
    const Look look(action);
    if (!(look == taken.value())) {
        taken.value() = look;
        return false;
    }
    if (auto* button = qobject_cast<QToolButton*>(watched))
        button->setEnabled(action->isEnabled());
    return true;
}
