// Labels: fast
#include "firmware/firmwareversion.h"

#include <QTest>

// How package versions stand to the instrument's: by their numbers in order, then a text after them.
class TestFirmwareVersion : public QObject
{
    Q_OBJECT
private slots:
    void ordering_data();
    void ordering();
    void versionRows_data();
    void versionRows();
    void catalogueEntries_data();
    void catalogueEntries();
    void newestEntry();
};

Q_DECLARE_METATYPE(FirmwareVersion::Order)

void TestFirmwareVersion::ordering_data()
{
    using Order = FirmwareVersion::Order;
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<Order>("order");
    const struct
    {
        const char* name;
        const char* package;
        const char* instrument;
        Order order;
    } rows[] = {
        {"numbers, not text", "V2.1.10", "V2.1.9", Order::Newer},
        {"a minor number of two digits", "V1.9", "V1.10", Order::Older},
        {"missing parts are 0", "2.1", "2.1.0", Order::Same},
        {"and the other way", "V2.1.0.0", "v2.1", Order::Same},
        {"the prefix says nothing", "Ver 2.2.0", "V2.1.7", Order::Newer},
        {"leading zeros", "V02.01.07", "V2.1.7", Order::Same},
        {"a patch letter is later", "V2.1.7a", "V2.1.7", Order::Newer},
        {"a build number is later", "V2.1.7 build 3", "V2.1.7", Order::Newer},
        {"a pre-release is earlier", "V2.2.0-beta", "V2.2.0", Order::Older},
        {"but still after the last release", "V2.2.0-rc1", "V2.1.7", Order::Newer},
        {"pre-releases by their numbers", "V2.2.0-beta10", "V2.2.0-beta9", Order::Newer},
        {"pre-release words differ", "2.2.0-beta", "2.2.0-alpha", Order::Newer},
        {"case of the suffix", "V2.2.0-RC1", "V2.2.0-rc1", Order::Same},
        {"the major number first", "V3.0", "V2.99.99", Order::Newer},
        {"a downgrade", "V1.1", "V2.1.7", Order::Older},
        {"no number in the package", "latest", "V2.1.7", Order::Unknown},
        {"the instrument's unknown", "V2.2.0", "", Order::Unknown},
        {"a number too long for a version", "V123456789012345678901", "V1", Order::Newer},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << QString::fromUtf8(row.package) << QString::fromUtf8(row.instrument) << row.order;
}

void TestFirmwareVersion::ordering()
{
    using Order = FirmwareVersion::Order;
    QFETCH(QString, package);
    QFETCH(QString, instrument);
    QFETCH(Order, order);
    QCOMPARE(FirmwareVersion::compare(package, instrument), order);
    // The order is the same read from the other side.
    const Order reverse = order == Order::Newer ? Order::Older : order == Order::Older ? Order::Newer : order;
    QCOMPARE(FirmwareVersion::compare(instrument, package), reverse);
}

void TestFirmwareVersion::versionRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isVersion");
    QTest::newRow("firmware") << "固件版本" << true;
    QTest::newRow("software, padded") << " 软件版本 " << true;
    QTest::newRow("plain") << "版本" << true;
    QTest::newRow("English") << "Firmware Version" << true;
    QTest::newRow("hardware") << "硬件版本" << false;
    QTest::newRow("model") << "设备型号" << false;
}

void TestFirmwareVersion::versionRows()
{
    QFETCH(QString, name);
    QFETCH(bool, isVersion);
    QCOMPARE(FirmwareVersion::isVersionRow(name), isVersion);
}

void TestFirmwareVersion::catalogueEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("namesZq200");
    QTest::newRow("model and version") << "ZQ-200 V2.2.0"
                                       << "V2.2.0" << true;
    QTest::newRow("file name") << "ZQ-200_V1.1.zqbin"
                               << "V1.1" << true;
    QTest::newRow("pre-release") << "ZQ-200 固件 2.3.0-beta1"
                                 << "2.3.0-beta1" << true;
    QTest::newRow("a model number is no version") << "ZQ-200 固件"
                                                  << "" << true;
    QTest::newRow("another model") << "ZQ-2000 V3.0"
                                   << "V3.0" << false;
    QTest::newRow("model inside a word") << "XZQ-200 V3.0"
                                         << "V3.0" << false;
}

void TestFirmwareVersion::catalogueEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, version);
    QFETCH(bool, namesZq200);
    QCOMPARE(FirmwareVersion::foundIn(name), version);
    QCOMPARE(FirmwareVersion::namesModel(name, QStringLiteral("ZQ-200")), namesZq200);
}

// The newest is judged by number, among the connected model's entries only.
void TestFirmwareVersion::newestEntry()
{
    const QMap<QString, QString> versions{{QStringLiteral("ZQ-200 V2.1.9"), QStringLiteral("V2.1.9")},
                                          {QStringLiteral("ZQ-200 V2.1.10"), QStringLiteral("V2.1.10")},
                                          {QStringLiteral("ZQ-200 说明"), QString()},
                                          {QStringLiteral("ZQ-300 V9.0"), QStringLiteral("V9.0")}};
    QCOMPARE(FirmwareVersion::newestFor(versions, QStringLiteral("ZQ-200")), QStringLiteral("ZQ-200 V2.1.10"));
    QCOMPARE(FirmwareVersion::newestFor(versions, QStringLiteral("ZQ-100")), QString());
    QCOMPARE(FirmwareVersion::newestFor(versions, QString()), QString());
}

QTEST_GUILESS_MAIN(TestFirmwareVersion)
#include "tst_firmwareversion.moc"
