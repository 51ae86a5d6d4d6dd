#pragma once

#include <QDialog>
#include <QLocale>

class QTextBrowser;

// The operator's manual: bundled HTML in the language of the interface, shown in a window of its
// own beside the one it was asked from, opened at the section about that window.
class ManualWindow : public QDialog
{
    Q_OBJECT
public:
    // Opens the manual for the window `from` (a dialog, or the main window), at `section` (an
    // anchor of the manual; empty for its contents). A manual already open for that window is
    // raised and moved to the section instead of opening another.
    static ManualWindow* open(QWidget* from, const QString& section);
    // The embedded manual for a language: Traditional Chinese, English, else Simplified Chinese.
    static QString resourceFor(const QLocale& locale);
    // The section about a window, from its class: the F1 of every window and dialog.
    static QString sectionFor(const QWidget* window);

    void showSection(const QString& section);
    QTextBrowser* browser() const { return text; }

private:
    explicit ManualWindow(QWidget* parent);

    QTextBrowser* text;
};
