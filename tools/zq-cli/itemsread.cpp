#include "tools/zq-cli/itemsread.h"

#include "config/configmodel.h"
#include "config/configread.h"
#include "config/itemtext.h"
#include "config/texts/readtexts.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

namespace {

// Collects the items as they come, and every value by index for comparing.
class CollectingSink : public ConfigReadSink
{
public:
    explicit CollectingSink(ItemsRead& read) : read(read) { }
    void started() override
    {
        items.clear();
        read.values.clear();
    }
    void item(const ReadItem& item) override
    {
        items.append(item);
        read.values.insert(item.index, itemValue(item.fields));
    }

    QVector<ReadItem> items;

private:
    ItemsRead& read;
};

} // namespace

bool readItems(const LinkTarget& target, const SkipMap& skipMap, ItemsRead& read, InstrumentResult& result)
{
    if (!linkOpens(target, result))
        return false;
    CollectingSink sink(read);
    const ConfigReadOutcome outcome = readConfigItems(target.settings, StopToken(), sink);
    // The rows as the assistant's tree shows them, hidden ones left out.
    ConfigModel shown;
    shown.setSkipMap(skipMap);
    shown.showRead(sink.items);
    read.rows = shown.rows();
    if (outcome.failure.code == ConfigFailure::None)
        return true;
    result.fail(exitCodeFor(outcome.failure.code, outcome.failure.link),
                readFailureTitle() + QStringLiteral(": ") + readFailureText(outcome.failure));
    return false;
}
