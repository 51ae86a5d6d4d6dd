#include "tests/support/hostilecsv.h"

#include <QStringList>
#include <QTextCodec>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// A good row at line 1, then the bad record at line 2, then another good one.
QByteArray withBadRow(const QByteArray& record)
{
    return Bom + "04. 设备编号, 12\r\n" + record + "\r\n10. 采样间隔, 30s\r\n";
}

} // namespace

QList<CsvCase> csvImportCases()
{
    const QByteArray goodRows = QByteArray("04. 设备编号, 12") + "%1" + "10. 采样间隔, 30s" + "%1";
    const auto lineEnds = [&](const char* end) { return Bom + QByteArray(goodRows).replace("%1", end); };
    QTextCodec* gbk = QTextCodec::codecForName("GBK");
    return {
        {"CR LF", lineEnds("\r\n"), 0, QString()},
        {"LF", lineEnds("\n"), 0, QString()},
        {"CR alone", lineEnds("\r"), 0, QString()},
        {"blank lines", Bom + "\r\n04. 设备编号, 12\r\n\r\n  \r\n10. 采样间隔, 30s\r\n\r\n", 0, QString()},
        {"the debug switch", withBadRow("255. DEBUG, 1"), 2,
         QStringLiteral("配置项 255 是设备的调试开关, 不能从文件写入")},
        {"answer beyond its count byte", withBadRow("05. 备注, " + QByteArray(252, 'x')), 2,
         QStringLiteral("“备注”的名称与数值过长: 设备的应答为 257 字节, 最多 255 字节")},
        {"300 characters", withBadRow("05. 备注, " + QByteArray(300, 'x')), 2,
         QStringLiteral("数值过长: 编码后 300 字节, 最多允许 254 字节")},
        {"emoji", withBadRow("05. 备注, ok \xF0\x9F\x98\x80"), 2,
         QStringLiteral("数值含有设备无法表示的字符: \U0001F600 (U+1F600)")},
        {"bytes FF FE 80", withBadRow("05. 备注, \xFF\xFE\x80"), 2,
         QStringLiteral("文件编码无法识别: 既不是 UTF-8 也不是 GB18030 文本")},
        {"NUL inside a value", withBadRow(QByteArray("05. 备注, a") + '\0' + "b"), 2,
         QStringLiteral("数值含有空字符 (U+0000)")},
        {"blank before a quote", withBadRow("05. IP, \"10.0.0.9, x\""), 2,
         QStringLiteral("引号必须紧跟在逗号之后并成对出现")},
        // A spreadsheet's save on Chinese Windows: not UTF-8, so read as GB18030 even where the
        // workstation reads files as UTF-8.
        {"GBK without byte order mark", gbk->fromUnicode(QStringLiteral("04. 设备编号, 12\r\n10. 采样间隔, 30s\r\n")),
         0, QString()},
    };
}

QStringList csvCaseWrittenItems()
{
    return {QStringLiteral("设备编号:12"), QStringLiteral("采样间隔:30s")};
}

QStringList csvCaseInstrumentItems()
{
    return {QStringLiteral("设备名称:ZQ"),  QStringLiteral("设备型号:M1"), QStringLiteral("序列号:1"),
            QStringLiteral("复位"),         QStringLiteral("设备编号:1"),  QStringLiteral("备注:"),
            QStringLiteral("报警上限:100"), QStringLiteral("a:1"),         QStringLiteral("b:1"),
            QStringLiteral("c:1"),          QStringLiteral("采样间隔:10s")};
}
