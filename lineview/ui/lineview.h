#pragma once

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QPointer>

// A read-only view of a list model's rows as lines of plain text, for logs that grow fast and
// long: it asks the model only for the rows it paints, so its cost does not grow with the rows
// held. It follows the newest row while the scroll bar is at the end; scrolling away stops
// following (the rows in sight stay in sight while the oldest leave), and scrolling back to the
// end or setFollowing(true) resumes it. A range of rows can be selected with the mouse or the
// keys and copied (Ctrl+C).
class LineView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // Rows longer than this many characters are drawn cut; a copy still takes them whole.
    static constexpr int MaxDrawnChars = 4096;

    explicit LineView(QWidget* parent = nullptr);

    // The model's column 0 and Qt::DisplayRole; the view does not own it.
    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return source; }

    bool isFollowing() const { return following; }
    // The row selected last (the current one), -1 when none; and the first and last selected.
    int currentRow() const { return current; }
    int selectionStart() const;
    int selectionEnd() const;
    void selectRow(int row);
    // The first and last row in sight.
    int firstVisibleRow() const;
    int lastVisibleRow() const;
    // The text of the selected rows, one line each.
    QString selectedText() const;

public slots:
    void setFollowing(bool on);
    void copy();

signals:
    void followingChanged(bool following);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void rowsInserted();
    void rowsRemoved(int first, int last);
    void modelReset();
    void updateScrollRange();
    void setScroll(int value);
    void scrolled(int value);
    void ensureVisible(int row);
    int rowAt(int y) const;
    int rowHeight() const;
    int visibleRows() const;
    int rows() const;
    QString rowText(int row) const;

    QPointer<QAbstractItemModel> source;
    bool following = true;
    bool adjusting = false; // the view moves the scroll bar itself
    int anchor = -1; // where the selection began
    int current = -1; // where it ends
    int widest = 0; // the widest row drawn so far, for the horizontal scroll bar
};
