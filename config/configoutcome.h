#pragma once

#include <QList>
#include <QString>

// What a configuration operation asks the window to show: boxes in order, then a status text
// (empty: leave the status bar alone). ok is false when the operation failed.
struct ConfigOutcome
{
    struct Box
    {
        bool error = true; // a critical box; otherwise an information box
        QString title;
        QString text;
    };

    bool ok = true;
    QList<Box> boxes;
    QString status;

    static ConfigOutcome success(const QString& status = QString())
    {
        ConfigOutcome outcome;
        outcome.status = status;
        return outcome;
    }
    static ConfigOutcome failure(const QString& title, const QString& text)
    {
        ConfigOutcome outcome;
        outcome.ok = false;
        outcome.boxes.append({true, title, text});
        return outcome;
    }
    void addError(const QString& title, const QString& text) { boxes.append({true, title, text}); }
    void addInformation(const QString& title, const QString& text) { boxes.append({false, title, text}); }
};
