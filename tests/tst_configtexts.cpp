// Labels: fast
// The configuration's outcomes carry codes and values; the boxes and status the operator sees are
// made from them in one place. Each case is an outcome as an operation returns it and the texts
// it must give (untranslated: no translator is installed).
#include "config/texts/configtexts.h"

#include "link/texts/linktexts.h"

#include <QDir>
#include <QTest>

class TestConfigTexts : public QObject
{
    Q_OBJECT
private slots:
    void messages_data();
    void messages();
};

namespace {

// "E|title|text" for an error box, "I|title|text" for an information box.
QStringList boxesOf(const ConfigMessages& shown)
{
    QStringList boxes;
    for (const ConfigMessages::Box& box : shown.boxes)
        boxes.append(QString(box.error ? QLatin1Char('E') : QLatin1Char('I')) + QLatin1Char('|') + box.title
                     + QLatin1Char('|') + box.text);
    return boxes;
}

ConfigOutcome named(ConfigOutcome outcome, const QString& value)
{
    outcome.valueFailed = true;
    outcome.failedValue = value;
    return outcome;
}

ValueRefusal refusal(ValueRefusal::Kind kind, const QString& character, int bytes = 0, int maximum = 0)
{
    ValueRefusal refused;
    refused.kind = kind;
    refused.character = character;
    refused.name = character;
    refused.bytes = bytes;
    refused.maximum = maximum;
    return refused;
}

FileFailure badLine(int line, CsvLineError error)
{
    FileFailure file = FileFailure::of(FileFailure::BadLine, QStringLiteral("a.csv"));
    file.line = line;
    file.lineError = error;
    return file;
}

} // namespace

void TestConfigTexts::messages_data()
{
    QTest::addColumn<ConfigOutcome>("outcome");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("status");

    using Op = ConfigOperation;
    const QString noReply = linkErrorText(LinkError::NoReply);

    const QString notOpen = QStringLiteral("写入错误,连接设备失败");
    QTest::newRow("write: no link") << ConfigOutcome::failure(Op::WriteRows, ConfigFailure::CannotOpen)
                                    << QStringList{QStringLiteral("E|写入配置|") + notOpen} << notOpen;
    QTest::newRow("write: silent on a row")
        << named(ConfigOutcome::failure(Op::WriteRows, ConfigFailure::Link, LinkError::NoReply), QStringLiteral("42"))
        << QStringList{QStringLiteral("E|提交|") + noReply, QStringLiteral("E|写入配置|写入配置失败: 42")} << QString();
    QTest::newRow("item on a channel: bad reply, value not named")
        << ConfigOutcome::failure(Op::WriteItem, ConfigFailure::BadReply)
        << QStringList{QStringLiteral("E|提交|硬件返回数据校验错误")} << QString();
    QTest::newRow("write: stopped") << [] {
        ConfigOutcome stopped = ConfigOutcome::stopped(Op::WriteRows);
        stopped.written = 3;
        return stopped;
    }() << QStringList() << QStringLiteral("写入已取消, 已写入 3 项");
    QTest::newRow("write: nothing valued") << [] {
        ConfigOutcome nothing = ConfigOutcome::success(Op::WriteRows);
        nothing.nothingToWrite = true;
        return nothing;
    }() << QStringList() << QStringLiteral("没有可写入的配置项");
    QTest::newRow("write: five names at most") << [] {
        ConfigOutcome done = ConfigOutcome::success(Op::WriteRows);
        done.notKept = QString("abcdefg").split(QString(), Qt::SkipEmptyParts);
        return done;
    }() << QStringList() << QStringLiteral("写入配置完成, 7 项未被设备接受: a、b、c、d、e 等");
    QTest::newRow("item not kept") << [] {
        ConfigOutcome done = ConfigOutcome::success(Op::WriteItem);
        done.notKept = QStringList{QStringLiteral("a")};
        return done;
    }() << QStringList() << QStringLiteral("写入配置失败,该项不支持修改");
    QTest::newRow("item kept") << ConfigOutcome::success(Op::WriteItem) << QStringList()
                               << QStringLiteral("写入配置成功");

    // Refusals name the character by its code point, beyond the basic plane too.
    QTest::newRow("refused: character") << named(
        ConfigOutcome::refused(Op::WriteRows, refusal(ValueRefusal::Unencodable, QStringLiteral("é"))),
        QStringLiteral("café"))
                                        << QStringList{QStringLiteral("E|提交|数值含有设备无法表示的字符: é (U+00E9)"),
                                                       QStringLiteral("E|写入配置|写入配置失败: café")}
                                        << QString();
    QTest::newRow("refused: astral character")
        << ConfigOutcome::refused(Op::WriteItem, refusal(ValueRefusal::Unencodable, QString::fromUcs4(U"\U0001F600")))
        << QStringList{QStringLiteral("E|提交|数值含有设备无法表示的字符: %1 (U+1F600)")
                           .arg(QString::fromUcs4(U"\U0001F600"))}
        << QString();
    QTest::newRow("refused: reply too long")
        << ConfigOutcome::refused(Op::WriteItem, refusal(ValueRefusal::ReplyTooLong, QStringLiteral("名"), 300, 255))
        << QStringList{QStringLiteral("E|提交|“名”的名称与数值过长: 设备的应答为 300 字节, 最多 255 字节")}
        << QString();

    QTest::newRow("clock: set") <<
        [] {
            ConfigOutcome set = ConfigOutcome::success(Op::SyncClock);
            set.clockSetTo = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
            return set;
        }() << QStringList{QStringLiteral("I|同步时间|同步时间成功")}
                                << QString();
    QTest::newRow("clock: out of range")
        <<
        [] {
            ConfigOutcome refused = ConfigOutcome::failure(Op::SyncClock, ConfigFailure::BadValue);
            refused.clockRefused = QDateTime(QDate(2100, 1, 1), QTime(0, 0, 1));
            return refused;
        }()
        << QStringList{QStringLiteral(
               "E|同步时间|时间 2100-01-01 00:00:01 超出仪器的时钟范围 (2000 年至 2099 年), 未发送")}
        << QString();
    QTest::newRow("clock: no serial port") <<
        [] {
            ConfigOutcome notOpen =
                ConfigOutcome::failure(Op::SyncClock, ConfigFailure::CannotOpen, LinkError::CannotOpen);
            notOpen.open.kind = LinkOpenFailure::SerialPortFailed;
            notOpen.open.port = QStringLiteral("/dev/ttyS9");
            return notOpen;
        }() << QStringList{QStringLiteral("E|同步时间|打开串口失败: /dev/ttyS9")}
                                           << QString();
    QTest::newRow("clock: wrong answer") << ConfigOutcome::failure(Op::SyncClock, ConfigFailure::BadReply)
                                         << QStringList{QStringLiteral("E|同步时间|同步时间失败")} << QString();
    QTest::newRow("clock: stopped") << ConfigOutcome::stopped(Op::SyncClock) << QStringList()
                                    << QStringLiteral("同步时间已取消");

    QTest::newRow("test: answered") <<
        [] {
            ConfigOutcome answered = ConfigOutcome::success(Op::TestConnection);
            answered.elapsedMs = 17;
            return answered;
        }() << QStringList{QStringLiteral("I|测试连接|设备已应答, 用时 17 ms")}
                                    << QString();
    // A long reply out of form shows its first 64 bytes only.
    QTest::newRow("test: bad reply") <<
        [] {
            ConfigOutcome bad = ConfigOutcome::failure(Op::TestConnection, ConfigFailure::BadReply);
            bad.reply = QByteArray(64, '\x01') + QByteArray(1000, '\x02');
            return bad;
        }() << QStringList{QStringLiteral("E|测试连接|设备应答了, 但应答无效: ") + QString("01 ").repeated(64)}
                                     << QString();
    QTest::newRow("test: silent") << ConfigOutcome::failure(Op::TestConnection, ConfigFailure::Link, LinkError::NoReply)
                                  << QStringList{QStringLiteral("E|测试连接|") + noReply} << QString();

    QTest::newRow("export: saved") << ConfigOutcome::success(Op::Export) << QStringList()
                                   << QStringLiteral("导出配置成功");
    QTest::newRow("export: disk full") << ConfigOutcome::fileFailure(
        Op::Export, FileFailure::of(FileFailure::CannotWrite, QStringLiteral("a.csv")))
                                       << QStringList{QStringLiteral("E|导出配置|写入文件失败: a.csv")} << QString();
    QTest::newRow("import: read") << ConfigOutcome::success(Op::Import) << QStringList() << QString();
    QTest::newRow("import: missing") << ConfigOutcome::fileFailure(
        Op::Import, FileFailure::of(FileFailure::CannotOpen, QStringLiteral("a.csv")))
                                     << QStringList{QStringLiteral("E|导入配置|打开文件失败: a.csv")} << QString();
    QTest::newRow("import: malformed line, no reason")
        << ConfigOutcome::fileFailure(Op::Import, badLine(4, CsvLineError::Malformed))
        << QStringList{QStringLiteral("E|导入配置|文件解析错误: a.csv 第 4 行")} << QString();
    QTest::newRow("import: stray quote")
        << ConfigOutcome::fileFailure(Op::Import, badLine(2, CsvLineError::StrayQuote))
        << QStringList{QStringLiteral("E|导入配置|文件解析错误: a.csv 第 2 行: 引号必须紧跟在逗号之后并成对出现")}
        << QString();
    QTest::newRow("import: debug switch")
        <<
        [] {
            FileFailure file = badLine(3, CsvLineError::None);
            file.debugSwitch = true;
            return ConfigOutcome::fileFailure(Op::Import, file);
        }()
        << QStringList{QStringLiteral(
               "E|导入配置|文件解析错误: a.csv 第 3 行: 配置项 255 是设备的调试开关, 不能从文件写入")}
        << QString();
    QTest::newRow("import: value too long")
        <<
        [] {
            FileFailure file = badLine(9, CsvLineError::None);
            file.refusal = refusal(ValueRefusal::TooLong, QString(), 300, 254);
            return ConfigOutcome::fileFailure(Op::Import, file);
        }()
        << QStringList{QStringLiteral(
               "E|导入配置|文件解析错误: a.csv 第 9 行: 数值过长: 编码后 300 字节, 最多允许 254 字节")}
        << QString();

    QTest::newRow("backup: saved") << [] {
        ConfigOutcome saved = ConfigOutcome::success(Op::Backup);
        saved.savedTo = QStringLiteral("/b/x.csv");
        return saved;
    }() << QStringList() << QStringLiteral("已备份到 ") + QDir::toNativeSeparators(QStringLiteral("/b/x.csv"));
    QTest::newRow("backup: no folder") << ConfigOutcome::fileFailure(
        Op::Backup, FileFailure::of(FileFailure::CannotCreateFolder, QStringLiteral("/b")))
                                       << QStringList{QStringLiteral("E|备份|无法创建备份文件夹: /b")} << QString();
    QTest::newRow("backup: not written") << ConfigOutcome::fileFailure(
        Op::Backup, FileFailure::of(FileFailure::CannotWrite, QStringLiteral("/b/x.csv")))
                                         << QStringList{QStringLiteral("E|备份|备份失败, 未写入设备: /b/x.csv")}
                                         << QString();
}

void TestConfigTexts::messages()
{
    QFETCH(ConfigOutcome, outcome);
    QFETCH(QStringList, boxes);
    QFETCH(QString, status);
    const ConfigMessages shown = configMessages(outcome);
    QCOMPARE(boxesOf(shown), boxes);
    QCOMPARE(shown.status, status);
}

QTEST_GUILESS_MAIN(TestConfigTexts)
#include "tst_configtexts.moc"
