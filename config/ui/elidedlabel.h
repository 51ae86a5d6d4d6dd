#pragma once

#include <QLabel>

// A one-line label of the status bar that gives way when the window is narrow: it shows as much
// of its text as fits, with "…" where the rest was, and holds the whole text in its tool tip.
// text() stays the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    // keptEms: how much of the text the label keeps before it gives way (in widths of an 'M'); of
    // two labels side by side, the one that keeps less gives way first.
    ElidedLabel(Qt::TextElideMode mode, int keptEms, QWidget* parent = nullptr);

    // Sets the text and the tool tip that keeps it whole.
    void setWholeText(const QString& text);
    // The text as it is drawn at the present width.
    QString shownText() const;

    // The whole text up to keptEms wide; the size hint stays the whole text.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode elideMode;
    int keptEms;
    // The last text cut, at which width and font, and how it came out: a label is painted far more
    // often than its text or width change.
    mutable QString cutFrom;
    mutable int cutWidth = -1;
    mutable QFont cutFont;
    mutable QString cut;
};
