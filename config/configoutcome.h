#pragma once

#include "config/itemcsv.h"
#include "link/linkerror.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QStringList>

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

// Why a value cannot go to the instrument as it stands, with what its refusal names.
struct ValueRefusal
{
    enum Kind {
        None,
        Unencodable, // a character the instrument's encoding lacks: character
        NulCharacter, // the instrument would read the value only up to it
        TooLong, // more encoded bytes than the request carries: bytes of maximum
        ReplyTooLong, // name, colon and value exceed the answer's count byte: name, bytes of maximum
        RequestTooLong // the request could not be built: maximum
    };
    Kind kind = None;
    QString character;
    QString name;
    int bytes = 0;
    int maximum = 0;
    bool refuses() const { return kind != None; }
};

// Why a configuration file, or the folder of backups, failed, with the path its text names.
struct FileFailure
{
    enum Kind {
        None,
        CannotOpen,
        CannotWrite, // opened, but not written whole (a full disk)
        BadLine, // a line that does not read: line, and lineError, debugSwitch or refusal say why
        CannotCreateFolder
    };
    Kind kind = None;
    QString path;
    int line = 0; // counted from 1
    CsvLineError lineError = CsvLineError::None;
    bool debugSwitch = false; // the line sets the instrument's debug switch
    bool notText = false; // the line's bytes are neither UTF-8 nor the fallback encoding
    ValueRefusal refusal; // the line holds a value that cannot be written

    static FileFailure of(Kind kind, const QString& path)
    {
        FileFailure failure;
        failure.kind = kind;
        failure.path = path;
        return failure;
    }
};

// Which operation an outcome is of: its texts are made from that and its values.
enum class ConfigOperation {
    WriteItem, // one item (a double click, or one row of a write of rows)
    WriteRows, // every valued row in order
    SyncClock,
    TestConnection,
    Export,
    Import,
    Backup
};

// How a configuration operation ended, as codes and the values their texts name; ok is false when
// the operation failed.
struct ConfigOutcome
{
    ConfigOperation operation = ConfigOperation::WriteItem;
    bool ok = true;
    bool cancelled = false; // the operator stopped it
    LinkContact contact = LinkContact::NotTried;
    ConfigFailure failureCode = ConfigFailure::None;
    LinkError linkError = LinkError::None;
    LinkOpenFailure open; // why the link did not open, where its text names it
    ValueRefusal refusal; // BadValue
    FileFailure file; // File

    // A write that stopped on a row's failure: the value it failed to write.
    bool valueFailed = false;
    QString failedValue;
    int written = 0; // rows a write of rows had written when it stopped
    bool nothingToWrite = false; // a write of rows without valued rows: nothing was sent
    QStringList notKept; // names of the written items the instrument did not keep
    // A clock synchronisation: the time the instrument took, or the time it cannot hold.
    QDateTime clockSetTo;
    QDateTime clockRefused;
    QString savedTo; // a backup: the file made
    QByteArray reply; // a connection test: the reply out of form
    int elapsedMs = 0; // a connection test: how long the answer took

    static ConfigOutcome success(ConfigOperation operation)
    {
        ConfigOutcome outcome;
        outcome.operation = operation;
        return outcome;
    }
    static ConfigOutcome failure(ConfigOperation operation, ConfigFailure code, LinkError link = LinkError::None)
    {
        ConfigOutcome outcome;
        outcome.operation = operation;
        outcome.ok = false;
        outcome.failureCode = code;
        outcome.linkError = link;
        return outcome;
    }
    static ConfigOutcome refused(ConfigOperation operation, const ValueRefusal& refusal)
    {
        ConfigOutcome outcome = failure(operation, ConfigFailure::BadValue);
        outcome.refusal = refusal;
        return outcome;
    }
    static ConfigOutcome fileFailure(ConfigOperation operation, const FileFailure& file)
    {
        ConfigOutcome outcome = failure(operation, ConfigFailure::File);
        outcome.file = file;
        return outcome;
    }
    static ConfigOutcome stopped(ConfigOperation operation)
    {
        ConfigOutcome outcome;
        outcome.operation = operation;
        outcome.ok = false;
        outcome.cancelled = true;
        return outcome;
    }
};
Q_DECLARE_METATYPE(ConfigOutcome)
