// A whole configuration CSV file, any bytes: the import reads it or refuses it with a line number,
// every row it yields could be written to the instrument as it stands, and exporting those rows
// and importing the export gives the same rows (records over several lines, quotes, any line ends).
#include "config/configcsv.h"
#include "config/configwriter.h"
#include "config/itemcsv.h"
#include "config/rowtext.h"
#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

// The rows as the tree would hold them after the import.
ConfigRows treeRows(const QVector<ImportedRow>& imported)
{
    ConfigRows rows;
    for (const ImportedRow& row : imported) {
        rows.append(rowFromFields(row.index, row.fields));
    }
    return rows;
}

bool sameRows(const QVector<ImportedRow>& a, const QVector<ImportedRow>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).index != b.at(i).index || a.at(i).fields != b.at(i).fields)
            return false;
    }
    return true;
}

// In memory where the system offers it: every input writes two files.
const QTemporaryDir& scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/zq-fuzz-XXXXXX")
                                                                       : QString());
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = scratch().filePath(QStringLiteral("input.csv"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const CsvImport imported = ConfigCsv::importFrom(input);
    if (!imported.outcome.ok) {
        FUZZ_CHECK(imported.rows.isEmpty());
        FUZZ_CHECK(imported.outcome.file.kind == FileFailure::BadLine && imported.outcome.file.line >= 1);
        return 0;
    }
    for (const ImportedRow& row : imported.rows) {
        FUZZ_CHECK(row.index >= 0 && row.index <= 255);
        FUZZ_CHECK(row.fields.size() == 1 || (row.fields.size() == 2 && row.index > 1));
        if (row.fields.size() == 2)
            FUZZ_CHECK(!ConfigWriter::valueRefusal(row.fields.at(1)).refuses());
    }

    const QString exported = scratch().filePath(QStringLiteral("export.csv"));
    FUZZ_CHECK(ConfigCsv::exportTo(exported, treeRows(imported.rows)).ok);
    const CsvImport again = ConfigCsv::importFrom(exported);
    FUZZ_CHECK(again.outcome.ok);
    FUZZ_CHECK(sameRows(again.rows, imported.rows));
    return 0;
}
