#include "config/configcomparison.h"

#include "config/itemtext.h"
#include "config/readonlyitems.h"

#include <QHash>

namespace {
RowVerdict verdictFor(const ConfigRow& fileRow, const ConfigRow* instrumentRow)
{
    if (!instrumentRow)
        return RowVerdict::NotOnInstrument;
    if (instrumentRow->name != fileRow.name)
        return RowVerdict::NameDiffers;
    if (ConfigIdentity::isIdentityName(fileRow.name) || fileRow.index <= 1)
        return RowVerdict::Identity;
    if (!fileRow.valued || !instrumentRow->valued)
        return RowVerdict::Action;
    const ReadOnlyItem readOnly = readOnlyItem(fileRow.name);
    if (readOnly == ReadOnlyItem::Measured || readOnly == ReadOnlyItem::Identity)
        return RowVerdict::ReadOnly;
    return instrumentRow->value == fileRow.value ? RowVerdict::Unchanged : RowVerdict::Offered;
}
} // namespace

ConfigComparison ConfigComparison::compare(const ConfigRows& file, const ConfigRows& instrument,
                                           const QSet<int>& refusedBefore)
{
    ConfigComparison comparison;
    comparison.file = ConfigIdentity::of(file);
    comparison.instrument = ConfigIdentity::of(instrument);
    QHash<int, const ConfigRow*> byIndex;
    for (const ConfigRow& row : instrument)
        byIndex.insert(row.index, &row);
    int foreignNames = 0;
    for (const ConfigRow& row : file) {
        const ConfigRow* own = byIndex.value(row.index, nullptr);
        ComparedRow compared;
        compared.index = row.index;
        compared.fileName = row.name;
        compared.fileValue = row.value;
        compared.onInstrument = own != nullptr;
        if (own) {
            compared.instrumentName = own->name;
            compared.instrumentValue = own->value;
        }
        compared.verdict = verdictFor(row, own);
        compared.checked = compared.verdict == RowVerdict::Offered && !ConfigIdentity::isDeviceTime(row.name)
            && !refusedBefore.contains(row.index);
        foreignNames += compared.isRefused() ? 1 : 0;
        comparison.rows.append(compared);
    }
    const ConfigIdentity& a = comparison.file;
    const ConfigIdentity& b = comparison.instrument;
    // An instrument of another model numbers its items otherwise: most names then differ, whatever
    // its model row says (or whether it has one).
    comparison.foreignModel =
        (!a.model.isEmpty() && !b.model.isEmpty() && a.model != b.model) || (foreignNames * 2 > file.size());
    comparison.foreignSerial =
        !comparison.foreignModel && !a.serial.isEmpty() && !b.serial.isEmpty() && a.serial != b.serial;
    // A foreign file is a mistake far more often than an intent: its rows are taken one by one.
    if (comparison.isForeign()) {
        for (ComparedRow& row : comparison.rows)
            row.checked = false;
    }
    return comparison;
}

QVector<ComparedRow> ConfigComparison::refused() const
{
    QVector<ComparedRow> found;
    for (const ComparedRow& row : rows)
        if (row.isRefused())
            found.append(row);
    return found;
}

int ConfigComparison::offeredCount() const
{
    int count = 0;
    for (const ComparedRow& row : rows)
        count += row.verdict == RowVerdict::Offered ? 1 : 0;
    return count;
}

ConfigRows fileRows(const QVector<ImportedRow>& imported)
{
    ConfigRows rows;
    rows.reserve(imported.size());
    for (const ImportedRow& line : imported) {
        ConfigRow row;
        row.index = line.index;
        row.name = line.fields.value(0).trimmed();
        row.valued = line.fields.size() > 1;
        row.value = row.valued ? itemValue(line.fields) : line.identityValue;
        rows.append(row);
    }
    return rows;
}
