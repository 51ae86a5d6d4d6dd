#pragma once

#include <QStatusBar>

// The window's status bar: a message longer than the room left of the permanent notes (changes,
// busy, link) ends in "…" a little before them instead of running under the link text. The whole
// message stays currentMessage().
class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Where the message ends: left of the first permanent note in sight, with a gap.
    int messageRight() const;
    // The message as it is drawn at the present width.
    QString shownMessage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
