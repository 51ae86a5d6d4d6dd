#pragma once

#include <QDateTime>
#include <QDockWidget>
#include <QString>
#include <QVector>

class QTreeWidget;

// The operations log: a pane (object name "operationsLog") that keeps every operation's outcome
// with its time, the link it went over, what was asked and the whole text, and for a failure a
// hint of what to check. The status bar's texts go after a few seconds; these stay. The pane is
// hidden until the operator opens it (its entry in the Operations menu) or a failure comes.
class OperationsLog : public QDockWidget
{
    Q_OBJECT
public:
    struct Entry
    {
        QDateTime at;
        QString target; // "UDP 127.0.0.1:5000"
        QString operation;
        bool failed = false;
        QString text;
        QString hint;
    };
    // The oldest entries give way beyond this many.
    static constexpr int KeptEntries = 1000;

    explicit OperationsLog(QWidget* parent = nullptr);

    void add(const QString& operation, const QString& target, bool failed, const QString& text,
             const QString& hint = QString());
    const QVector<Entry>& entries() const { return kept; }
    QTreeWidget* list() const { return view; }
    // Its title and headers in the language now installed (the window's own language switch
    // asks before its tool tips are made from the action texts).
    void retranslate();

protected:
    void changeEvent(QEvent* event) override;

private:
    QTreeWidget* view;
    QVector<Entry> kept;
};
