#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"
#include "jobs/stoptoken.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>

struct LinkSettings;

// Why a read stopped on an error, as values: the texts are made where they are shown.
struct ConfigReadFailure
{
    ConfigFailure code = ConfigFailure::None;
    LinkError link = LinkError::None;
    // Why the link did not open (the port or setting its text names).
    LinkOpenFailure open;
    // The malformed reply, when the instrument answered out of form.
    QByteArray reply;
    // Out of form: the reply's length does not match its count byte (else: wrong address or command).
    bool wrongLength = false;
};
Q_DECLARE_METATYPE(ConfigReadFailure)

// How a read ended.
enum class ReadEnd { Complete, Failed, Stopped };

struct ConfigReadOutcome
{
    bool opened = false; // false: the link did not open, nothing was asked
    ReadEnd end = ReadEnd::Failed;
    int itemsRead = 0;
    ConfigReadFailure failure;
};

// What a read tells as it goes, on the thread it runs on.
class ConfigReadSink
{
public:
    virtual ~ConfigReadSink() = default;
    // The link opened: rows of any earlier read are void.
    virtual void started() { }
    // Whether the instrument answered: once at its first reply, or once when it stays silent
    // (before the failure).
    virtual void contact(LinkContact) { }
    virtual void item(const ReadItem& item) = 0;
    // The read stopped on this error (not told for a stop asked for).
    virtual void failed(const ConfigReadFailure&) { }
};

// Reads the instrument's configuration items one by one, from index 0 until it answers the empty
// item that ends its list. A failed item is asked for once more with the longer wait. A stop ends
// the read between items, or within a fraction of a second of a wait, without a failure.
ConfigReadOutcome readConfigItems(const LinkSettings& link, const StopToken& stop, ConfigReadSink& sink);
