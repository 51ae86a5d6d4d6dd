// Labels: fast
#include "firmware/ddbserver.h"
#include "firmware/dencryptinfo.h"
#include "firmware/packagewriter.h"
#include "firmware/texts/updatetexts.h"
#include "tests/support/workdir.h"

#include <QColor>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// Packages as the zq-package tool writes them, read back; then one damaged layer per row.
class TestFirmwarePackage : public QObject
{
    Q_OBJECT
private slots:
    void toolPackageReadsBack();
    void toolRefusesBadInput_data();
    void toolRefusesBadInput();
    void readsEveryCellForm_data();
    void readsEveryCellForm();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void failureKeepsEarlierFields();
    void connectionIsAddedOnce();
};

namespace {

const QByteArray Image = QByteArray::fromHex("0102FF00") + QByteArray(3000, 'z');

QMap<QString, QVariant> sampleFields()
{
    return PackageWriter::fields(QStringLiteral("流量计"), QStringLiteral("ZQ-100"), QStringLiteral("V2.1"), Image);
}

// Creates an SQLite file with the statements given, each run in order.
void makeDatabase(const QString& path, const QStringList& statements, const QVariantList& binds = {})
{
    const QString name = QStringLiteral("test-maker");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        for (const QString& statement : statements) {
            QVERIFY2(query.prepare(statement), qPrintable(statement));
            for (const QVariant& value : binds)
                if (statement.contains(QLatin1Char('?')))
                    query.addBindValue(value);
            QVERIFY2(query.exec(), qPrintable(statement));
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QString read(const QString& path, DEncryptInfo* out = nullptr)
{
    DEncryptInfo info;
    info.filePath = path;
    const QString error = UpdateTexts::packageRead(DDbServer().readPackage(info));
    if (out)
        *out = info;
    return error;
}

QByteArray md5(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

} // namespace

void TestFirmwarePackage::toolPackageReadsBack()
{
    WorkDir dir;
    dir.writeFile(QStringLiteral("image.bin"), Image);
    QProcess tool;
    tool.start(QStringLiteral(ZQ_BIN_DIR "/zq-package"),
               {QStringLiteral("--device"), QStringLiteral("流量计"), QStringLiteral("--model"), QStringLiteral("ZQ-100"),
                QStringLiteral("--version"), QStringLiteral("V2.1"), QStringLiteral("image.bin"), QStringLiteral("out.zqbin")});
    QVERIFY(tool.waitForFinished(5000));
    QCOMPARE(tool.exitCode(), 0);

    DEncryptInfo info;
    QCOMPARE(read(dir.filePath(QStringLiteral("out.zqbin")), &info), QString());
    QCOMPARE(info.device(), QStringLiteral("流量计"));
    QCOMPARE(info.model(), QStringLiteral("ZQ-100"));
    QCOMPARE(info.version(), QStringLiteral("V2.1"));
    QCOMPARE(info.image(), Image);
    QCOMPARE(info.fields.size(), 4);
}

void TestFirmwarePackage::toolRefusesBadInput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no model") << QStringList{QStringLiteral("image.bin"), QStringLiteral("out.zqbin")};
    QTest::newRow("empty model") << QStringList{QStringLiteral("--model="), QStringLiteral("image.bin"), QStringLiteral("out.zqbin")};
    QTest::newRow("empty image") << QStringList{QStringLiteral("--model=M"), QStringLiteral("empty.bin"), QStringLiteral("out.zqbin")};
    QTest::newRow("missing image") << QStringList{QStringLiteral("--model=M"), QStringLiteral("none.bin"), QStringLiteral("out.zqbin")};
    QTest::newRow("no output") << QStringList{QStringLiteral("--model=M"), QStringLiteral("image.bin")};
}

void TestFirmwarePackage::toolRefusesBadInput()
{
    QFETCH(QStringList, arguments);
    WorkDir dir;
    dir.writeFile(QStringLiteral("image.bin"), Image);
    dir.writeFile(QStringLiteral("empty.bin"), QByteArray());
    QProcess tool;
    tool.start(QStringLiteral(ZQ_BIN_DIR "/zq-package"), arguments);
    QVERIFY(tool.waitForFinished(5000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(!tool.readAllStandardError().isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.zqbin"))));
}

void TestFirmwarePackage::readsEveryCellForm_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<bool>("asBlob");
    QTest::addColumn<int>("fieldCount");
    const QByteArray text = PackageWriter::cellText(sampleFields());
    QTest::newRow("text cell") << text << false << 4;
    QTest::newRow("blob cell") << text << true << 4;
    // Characters outside the alphabet are skipped, as mail-wrapped Base64 needs.
    QByteArray wrapped;
    for (int i = 0; i < text.size(); i += 60)
        wrapped += text.mid(i, 60) + "\r\n\t*";
    QTest::newRow("wrapped and littered") << wrapped << false << 4;
    // An empty map with the digest of no bytes is a package without anything in it.
    const QByteArray emptyMap = PackageWriter::payload({});
    QTest::newRow("empty map") << PackageWriter::envelope(emptyMap).toBase64() << false << 0;
    QTest::newRow("no image key")
        << PackageWriter::cellText({{KeyModel, QStringLiteral("ZQ-100")}}) << false << 1;
    QMap<QString, QVariant> withNumbers = sampleFields();
    withNumbers.insert(QStringLiteral("build"), 42);
    withNumbers.insert(QStringLiteral("checked"), true);
    withNumbers.insert(QStringLiteral("rate"), 1.5);
    QTest::newRow("plain numbers beside the texts") << PackageWriter::cellText(withNumbers) << false << 7;
    QTest::newRow("bytes after digest ignored")
        << (PackageWriter::envelope(PackageWriter::payload(sampleFields())) + "tail").toBase64() << false << 4;
}

void TestFirmwarePackage::readsEveryCellForm()
{
    QFETCH(QByteArray, cell);
    QFETCH(bool, asBlob);
    QFETCH(int, fieldCount);
    WorkDir dir;
    const QString path = dir.filePath(QStringLiteral("p.zqbin"));
    QCOMPARE(PackageWriter::writeCell(path, cell, asBlob), QString());
    DEncryptInfo info;
    QCOMPARE(read(path, &info), QString());
    QCOMPARE(info.fields.size(), fieldCount);
    if (fieldCount == 4)
        QCOMPARE(info.image(), Image);
    if (fieldCount == 0)
        QVERIFY(info.image().isEmpty() && info.model().isEmpty());
}

void TestFirmwarePackage::refusesDamagedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral("解析文件失败,文件不存在或拒绝访问!");
    const QString operation = QStringLiteral("解析文件失败,文件操作失败!");
    const QString content = QStringLiteral("解析文件失败,无法获取文件内容!");
    const QString digest = QStringLiteral("解析文件失败,文件校验失败!");
    const QByteArray good = PackageWriter::cellText(sampleFields());
    const QByteArray payload = PackageWriter::payload(sampleFields());

    const QString fileType = QStringLiteral("解析文件失败,打开文件失败,请检查文件类型!");
    const QString types = QStringLiteral("解析文件失败,文件内容格式错误!");

    QTest::newRow("missing") << "missing" << good << missing;
    QTest::newRow("a folder") << "folder" << good << missing;
    // Files of another kind are told apart before SQLite is asked, which opens even these.
    QTest::newRow("text file") << "text" << good << fileType;
    QTest::newRow("0 bytes") << "empty" << good << fileType;
    QTest::newRow("SQLite header, garbage behind") << "header" << good << fileType;
    QTest::newRow("lower-case table") << "lower" << good << operation;
    QTest::newRow("no row") << "norow" << good << operation;
    QTest::newRow("two rows, first valid") << "tworows" << good << operation;
    QTest::newRow("row unreadable") << "unreadable" << good << content;
    QTest::newRow("digest of other bytes")
        << "cell" << PackageWriter::envelope(payload, md5(payload + "x")).toBase64() << digest;
    QTest::newRow("digest 15 bytes")
        << "cell" << PackageWriter::envelope(payload, md5(payload).left(15)).toBase64() << digest;
    QTest::newRow("digest 17 bytes")
        << "cell" << PackageWriter::envelope(payload, md5(payload) + "x").toBase64() << digest;
    QTest::newRow("no digest")
        << "cell" << PackageWriter::envelope(payload, QByteArray()).toBase64() << digest;
    QTest::newRow("not base64 at all") << "cell" << QByteArray("!!!!") << digest;
    // A map cut short behind a matching digest: refused, where it used to read as an empty success.
    const QByteArray cut = payload.left(payload.size() / 2);
    QTest::newRow("map cut short") << "cell" << PackageWriter::envelope(cut).toBase64() << digest;
    QByteArray corrupt = payload;
    corrupt[4 + 4 + 76 + 3] = char(0x7F); // the first value's type id becomes an unknown type
    QTest::newRow("map corrupt") << "cell" << PackageWriter::envelope(corrupt).toBase64() << digest;
    // The digest is no signature: a forged payload must not make Qt decode whatever type it names.
    QMap<QString, QVariant> withColour = sampleFields();
    withColour.insert(QStringLiteral("colour"), QColor(Qt::red));
    QTest::newRow("value of a drawing type") << "cell" << PackageWriter::cellText(withColour) << digest;
    QMap<QString, QVariant> withList = sampleFields();
    withList.insert(QStringLiteral("list"), QStringList{QStringLiteral("a")});
    QTest::newRow("value of a list type") << "cell" << PackageWriter::cellText(withList) << digest;
    // A model stored as bytes and an image stored as text were once converted and flashed.
    QMap<QString, QVariant> swapped = sampleFields();
    swapped.insert(KeyModel, QByteArray("ZQ-100"));
    swapped.insert(KeyImage, QStringLiteral("abc"));
    QTest::newRow("model bytes, image text") << "cell" << PackageWriter::cellText(swapped) << types;
    QMap<QString, QVariant> numberImage = sampleFields();
    numberImage.insert(KeyImage, 12345);
    QTest::newRow("image a number") << "cell" << PackageWriter::cellText(numberImage) << types;
    QMap<QString, QVariant> numberVersion = sampleFields();
    numberVersion.insert(KeyVersion, 2.1);
    QTest::newRow("version a number") << "cell" << PackageWriter::cellText(numberVersion) << types;
    // Two values under one key: which one is the image would depend on the order in the stream.
    QByteArray twice;
    {
        QDataStream stream(&twice, QIODevice::WriteOnly);
        stream << quint32(3) << KeyModel << QVariant(QStringLiteral("ZQ-100")) << KeyImage << QVariant(Image) << KeyImage
               << QVariant(QByteArray("other"));
    }
    QTest::newRow("image key twice") << "cell" << PackageWriter::envelope(twice).toBase64() << types;
}

void TestFirmwarePackage::refusesDamagedFiles()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, cell);
    QFETCH(QString, message);
    WorkDir dir;
    const QString path = dir.filePath(QStringLiteral("p.zqbin"));
    const QString row = QString::fromLatin1(cell);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("p.zqbin")));
    else if (kind == QLatin1String("text"))
        dir.writeFile(QStringLiteral("p.zqbin"), "This is no database, only text that looks like a file.\n");
    else if (kind == QLatin1String("empty"))
        dir.writeFile(QStringLiteral("p.zqbin"), QByteArray());
    else if (kind == QLatin1String("header"))
        dir.writeFile(QStringLiteral("p.zqbin"), QByteArray("SQLite format 3", 16) + QByteArray(4096, '\x5A'));
    else if (kind == QLatin1String("lower"))
        makeDatabase(path, {QStringLiteral("create table info (data text)"), QStringLiteral("insert into info values (?)")}, {row});
    else if (kind == QLatin1String("norow"))
        makeDatabase(path, {QStringLiteral("create table INFO (data text)")});
    else if (kind == QLatin1String("tworows"))
        makeDatabase(path, {QStringLiteral("create table INFO (data text)"), QStringLiteral("insert into INFO values (?)"),
                            QStringLiteral("insert into INFO values (?)")}, {row});
    else if (kind == QLatin1String("unreadable"))
        // Counting rows never computes a column; reading the row computes one that overflows.
        makeDatabase(path, {QStringLiteral("create table INFO (data text)"), QStringLiteral("insert into INFO values (?)"),
                            QStringLiteral("alter table INFO add column bad as (abs(-9223372036854775807 - 1))")}, {row});
    else if (kind == QLatin1String("cell"))
        QCOMPARE(PackageWriter::writeCell(path, cell), QString());
    if (QTest::currentTestFailed())
        return;

    DEncryptInfo info;
    QCOMPARE(read(path, &info), message);
    QVERIFY(info.fields.isEmpty());
}

void TestFirmwarePackage::failureKeepsEarlierFields()
{
    WorkDir dir;
    const QString good = dir.filePath(QStringLiteral("good.zqbin"));
    QCOMPARE(PackageWriter::write(good, sampleFields()), QString());
    DEncryptInfo info;
    info.filePath = good;
    QCOMPARE(DDbServer().readPackage(info), PackageRead::Ok);
    info.filePath = dir.filePath(QStringLiteral("gone.zqbin"));
    QCOMPARE(DDbServer().readPackage(info), PackageRead::NotAFile);
    QCOMPARE(info.image(), Image);
}

void TestFirmwarePackage::connectionIsAddedOnce()
{
    WorkDir dir;
    const QString first = dir.filePath(QStringLiteral("a.zqbin"));
    const QString second = dir.filePath(QStringLiteral("b.zqbin"));
    QCOMPARE(PackageWriter::write(first, sampleFields()), QString());
    QCOMPARE(PackageWriter::write(second, PackageWriter::fields({}, QStringLiteral("ZQ-200"), {}, "x")), QString());
    DEncryptInfo one;
    DEncryptInfo two;
    QCOMPARE(read(first, &one), QString());
    QCOMPARE(read(second, &two), QString());
    QCOMPARE(one.model(), QStringLiteral("ZQ-100"));
    QCOMPARE(two.model(), QStringLiteral("ZQ-200"));
    QCOMPARE(QSqlDatabase::connectionNames().count(PackageConnectionName), 1);
    // The reader opens read-only and leaves nothing beside the package.
    QVERIFY(!QFile::exists(first + QStringLiteral("-journal")));
}

QTEST_GUILESS_MAIN(TestFirmwarePackage)
#include "tst_firmwarepackage.moc"
