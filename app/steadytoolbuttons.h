#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QString>

class QAction;
class QToolBar;

// Keeps a tool bar from laying itself out again when its actions are only enabled or disabled.
// The tool bar takes every change of an action as a new layout, and its button as a new look (it
// sets the icon again and forgets its size), so disabling the window's actions as an operation
// starts had the tool bar measure and shape every button's text anew. A change that leaves all
// that the tool bar and the button show as it was only sets whether the button is enabled; any
// other goes through as before.
class SteadyToolButtons : public QObject
{
    Q_OBJECT
public:
    // Watches the tool bar and the buttons it shows now, for as long as the tool bar lives.
    static void install(QToolBar* toolBar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    // All of an action that the tool bar or its button shows, but whether it is enabled.
    struct Look
    {
        explicit Look(const QAction* action);
        bool operator==(const Look& other) const;
        QString text, iconText, toolTip, statusTip, whatsThis;
        qint64 icon = 0;
        QFont font;
        int priority = 0;
        bool checkable = false, checked = false, visible = false, separator = false, menu = false;
    };

    // What each watched object last took in of each action.
    QHash<QPair<const QObject*, const QAction*>, Look> lookTaken;
};
