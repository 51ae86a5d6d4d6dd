#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"
#include "config/writemode.h"

#include <atomic>
#include <functional>

class LinkChannel;
struct LinkSettings;

// What became of one written item: besides the outcome, the value the row holds afterwards (the
// one the instrument reports) and whether the instrument kept the value written.
struct ItemWriteOutcome : ConfigOutcome
{
    bool valued = false;
    QString value;
    int codec = -1; // how the instrument's answer was decoded (ConfigRow::codec)
    bool kept = false; // the reported value is the one written (after a number, a unit may follow)
};
Q_DECLARE_METATYPE(ItemWriteOutcome)

// Writes configuration items to the instrument, one request per item, and judges its answers.
class ConfigWriter
{
public:
    // Told before each row of a Write-all goes out, and after the instrument has answered it in form.
    struct Progress
    {
        std::function<void(int row)> starting;
        std::function<void(int row, const ItemWriteOutcome&)> answered;
    };

    // An edited item: opens the link from the settings and writes value with mode. A failure names
    // the value (valueFailed).
    static ItemWriteOutcome writeOne(const ConfigRow& row, const QString& value, WriteMode mode);
    // The same over the given link; stop, when set from another thread, ends the wait at once.
    static ItemWriteOutcome writeOne(const LinkSettings& link, const ConfigRow& row, const QString& value,
                                     WriteMode mode, const std::atomic<bool>* stop = nullptr);
    // Every valued row in order, stopping at the first that fails (and naming its value). Without
    // valued rows nothing is opened or sent; rows the instrument did not take are named in notKept.
    static ConfigOutcome writeAll(const ConfigRows& rows, const Progress& progress);
    // The same over the given link instead of config.ini's. A stop ends it before the next row with a
    // cancelled outcome that counts the rows written (written); a row already sent is given a short while
    // (at most 400 ms) for its answer and is counted when it comes, since the instrument took it.
    static ConfigOutcome writeAll(const LinkSettings& link, const ConfigRows& rows, const Progress& progress,
                                  const std::atomic<bool>* stop = nullptr);
    // One item on an open channel. A failure carries its reason only, not the value.
    static ItemWriteOutcome writeItem(LinkChannel& channel, const ConfigRow& row, const QString& value, WriteMode mode);
    // Why value cannot go to the instrument as it stands (a character its encoding lacks, a NUL, more
    // bytes than the request carries), or no refusal.
    static ValueRefusal valueRefusal(const QString& value);
    // The longest item text the instrument's answer carries: its count byte.
    static constexpr int MaxItemReplyBytes = 255;
    // valueRefusal(), or why the instrument's answer could not carry the item: it answers with the
    // name, a colon and the value, and its count byte holds at most MaxItemReplyBytes. A longer
    // answer comes back cut and would pass for a refused value after the instrument took it.
    static ValueRefusal itemRefusal(const QString& name, const QString& value);

private:
    // writeItem() for a value already known to pass valueRefusal().
    static ItemWriteOutcome sendItem(LinkChannel& channel, const ConfigRow& row, const QString& value, WriteMode mode);
};
