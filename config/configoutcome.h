#pragma once

#include "link/linkerror.h"
#include "link/texts/linktexts.h"

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>

// What an operation learnt of the instrument: whether it answered at all. A link that did not
// open tells nothing about the instrument.
enum class LinkContact { NotTried, Answered, NoAnswer };

// Bytes in hand (even wrong ones) mean the instrument is there; a request that found no answer or
// could not go out means it is not, as far as the operator can tell.
inline LinkContact contactOf(ExchangeResult result)
{
    switch (result) {
    case ExchangeOk:
        return LinkContact::Answered;
    case ExchangeSendFailed:
    case ExchangeNoReply:
        return LinkContact::NoAnswer;
    case ExchangeStopped:
        break;
    }
    return LinkContact::NotTried;
}

// Why a configuration operation failed, as a value beside its texts.
enum class ConfigFailure {
    None,
    CannotOpen, // the link did not open (linkError says CannotOpen)
    Link, // an exchange failed: linkError says how
    BadReply, // the instrument answered, but not in form (wrong address, command or length)
    BadValue, // a value that cannot be sent (characters the instrument cannot show, too long)
    File // a CSV file could not be read, parsed or written
};

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
    bool cancelled = false; // the operator stopped it; nothing to show but the status
    LinkContact contact = LinkContact::NotTried;
    QList<Box> boxes;
    QString status;
    ConfigFailure failureCode = ConfigFailure::None;
    LinkError linkError = LinkError::None;
    // The time a clock synchronisation set the instrument to, once it has taken it.
    QDateTime clockSetTo;

    static ConfigOutcome success(const QString& status = QString())
    {
        ConfigOutcome outcome;
        outcome.status = status;
        return outcome;
    }
    static ConfigOutcome failure(const QString& title, const QString& text,
                                 ConfigFailure code = ConfigFailure::BadReply, LinkError link = LinkError::None)
    {
        ConfigOutcome outcome;
        outcome.ok = false;
        outcome.boxes.append({true, title, text});
        outcome.failureCode = code;
        outcome.linkError = link;
        return outcome;
    }
    // The failure of an exchange: its code and the text made from it.
    static ConfigOutcome linkFailure(const QString& title, LinkError link)
    {
        return failure(title, linkErrorText(link), ConfigFailure::Link, link);
    }
    void addError(const QString& title, const QString& text) { boxes.append({true, title, text}); }
    void addInformation(const QString& title, const QString& text) { boxes.append({false, title, text}); }
};
Q_DECLARE_METATYPE(ConfigOutcome)
