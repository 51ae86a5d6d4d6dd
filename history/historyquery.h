#pragma once

#include "link/linkerror.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class StopToken;

// Why a history query failed.
enum class HistoryFailure {
    None,
    CannotOpen, // the link did not open: HistoryOutcome::openError says why, in the link's words
    Link // the query was not sent or nothing came: HistoryOutcome::linkError says how
};

// How a history query that did not fail came to its end.
enum class HistoryEnd {
    Silence, // the instrument fell silent: every record it sent has come
    Stopped, // whoever ran the query stopped it
    OnlyChatter, // lines kept coming but no record for the record wait: the log may be incomplete
    RecordLimit // the caller's record limit was reached and the query stopped there
};

// What a history query reports while it runs, on the query's own thread.
class HistorySink
{
public:
    virtual ~HistorySink() = default;
    // The link opened and the query went out: the lines of this query follow.
    virtual void opened() { }
    // The header line and record lines as received, byte for byte, in the order they came; one call
    // per received chunk. Each line ends with its terminator as sent (a line feed, a carriage return
    // before it kept), except that the stream's last line may have none. By default they are
    // decoded and passed to recordLines().
    virtual void recordBytes(const QByteArray& lines);
    // The same lines decoded, each ended by a line feed (one is added to a last line without).
    virtual void recordLines(const QString& lines) { Q_UNUSED(lines) }
    // Lines that are no record (the instrument's debug output, a broken record), decoded, without
    // their terminators; one call per received chunk. They neither join the records nor keep the
    // transfer going.
    virtual void strayLines(const QStringList& lines) { Q_UNUSED(lines) }
};

struct HistoryOutcome
{
    HistoryFailure failure = HistoryFailure::None;
    LinkError linkError = LinkError::None;
    QString openError; // the link's own account of a failed open
    HistoryEnd end = HistoryEnd::Silence;
    qint64 records = 0; // record lines passed on
    qint64 strayLines = 0; // lines passed to strayLine()
    // The stream ended inside a line that was no whole record: those bytes were dropped.
    bool cutOff = false;
    // The system dropped this many of the instrument's datagrams (its receive buffer was full):
    // records may be missing anywhere.
    qint64 datagramsLost = 0;

    bool ok() const { return failure == HistoryFailure::None; }
};

struct HistoryQuery
{
    QByteArray request; // the query frame (buildHistoryRequest)
    // The query stops after this many records (0: no limit), so that a window cannot hold an
    // instrument's endless stream without bound.
    qint64 maxRecords = 0;
    // How long lines other than records may come with no record among them before the transfer is
    // ended (an instrument left in debug mode never falls silent); -1: the link's first-data wait.
    int recordWaitMs = -1;
};

// Sends one history query and passes the instrument's answer on, line by line, until the line
// falls silent, the stream fails, the stop token is set, no record comes within the record wait
// while other lines do, or the record limit is reached. Lines are cut at the link's line bound.
// The header is the line that names the columns before the first record; every later line that
// does not begin with a date and a time, or that has more fields than the records (the fields two
// of the first dated lines agree on; a line that differs from them is a record another line broke
// into), is stray. Bytes after the last line feed are a record when
// they begin with a date and a time and hold as many fields as the records before them; otherwise
// they are a record cut off (cutOff) and dropped.
HistoryOutcome queryHistory(const LinkSettings& link, const HistoryQuery& query, const StopToken& stop,
                            HistorySink& sink);
