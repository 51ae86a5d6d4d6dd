// Labels: fast
// The committed English and Traditional Chinese files are finished: no entry left unfinished,
// none that keeps the Chinese (or Simplified) text, none that loses a place marker, and lupdate
// run over the sources finds no text that they lack.
#include "tests/support/scripttexts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Entry
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

QList<Entry> readTs(const QString& path, QString* error)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + path;
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            entry = Entry{context, QString(), QString(), QString()};
        else if (xml.name() == QLatin1String("source"))
            entry.source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            entries.append(entry);
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return entries;
}

QSet<QString> placeMarkers(const QString& text)
{
    QSet<QString> markers;
    static const QRegularExpression marker(QStringLiteral("%L?\\d"));
    auto it = marker.globalMatch(text);
    while (it.hasNext())
        markers.insert(it.next().captured());
    return markers;
}

QString tsPath(const QString& code)
{
    return QStringLiteral(ZQ_SOURCE_DIR "/translations/") + code + QStringLiteral(".ts");
}

QString describe(const Entry& entry)
{
    return QStringLiteral("%1 \"%2\"").arg(entry.context, entry.source);
}

}

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void everyEntryFinished_data();
    void everyEntryFinished();
    void lupdateFindsNothingMissing();
};

void TestTranslations::everyEntryFinished_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("English") << "en_US";
    QTest::newRow("Traditional Chinese") << "zh_TW";
}

void TestTranslations::everyEntryFinished()
{
    QFETCH(QString, code);
    QString error;
    const QList<Entry> entries = readTs(tsPath(code), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(entries.size() > 50);

    QStringList faults;
    for (const Entry& entry : entries) {
        if (!entry.type.isEmpty() || entry.translation.isEmpty()) {
            faults << describe(entry) + QStringLiteral(": ") + (entry.type.isEmpty() ? QStringLiteral("empty") : entry.type);
            continue;
        }
        if (placeMarkers(entry.source) != placeMarkers(entry.translation))
            faults << describe(entry) + QStringLiteral(": place markers differ in \"") + entry.translation + '"';
        if (isLanguageName(entry.source) && entry.translation == entry.source)
            continue;
        if (code == QLatin1String("en_US") && hasCjk(entry.translation))
            faults << describe(entry) + QStringLiteral(": still Chinese: \"") + entry.translation + '"';
        if (code == QLatin1String("zh_TW")) {
            const QChar simplified = firstSimplifiedOnly(entry.translation);
            if (!simplified.isNull())
                faults << describe(entry) + QStringLiteral(": Simplified character ") + simplified;
            const QString term = firstMainlandTerm(entry.translation);
            if (!term.isEmpty())
                faults << describe(entry) + QStringLiteral(": Mainland term ") + term;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("\n") + faults.join('\n')));
}

// The update script run on copies: whatever it adds is a text that nobody has translated yet.
void TestTranslations::lupdateFindsNothingMissing()
{
    if (QStandardPaths::findExecutable(QStringLiteral("lupdate")).isEmpty())
        QSKIP("lupdate is missing (apt-get install qttools5-dev-tools)");
    QTemporaryDir copies;
    QVERIFY(copies.isValid());
    for (const char* code : {"en_US", "zh_CH", "zh_TW"})
        QVERIFY(QFile::copy(tsPath(QString::fromLatin1(code)), copies.filePath(QString::fromLatin1(code) + ".ts")));

    QProcess update;
    update.setProcessChannelMode(QProcess::MergedChannels);
    update.start(QStringLiteral("bash"),
                 {QStringLiteral(ZQ_SOURCE_DIR "/scripts/update-translations.sh"), copies.path()});
    QVERIFY2(update.waitForFinished(8000), "lupdate took too long");
    const QString output = QString::fromLocal8Bit(update.readAll());
    QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0, qPrintable(output));

    for (const char* code : {"en_US", "zh_TW"}) {
        QString error;
        QSet<QString> committed;
        for (const Entry& entry : readTs(tsPath(QString::fromLatin1(code)), &error))
            committed.insert(describe(entry));
        QStringList added;
        for (const Entry& entry : readTs(copies.filePath(QString::fromLatin1(code) + ".ts"), &error))
            if (!committed.contains(describe(entry)))
                added << describe(entry);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(added.isEmpty(), qPrintable(QStringLiteral("%1.ts lacks (run scripts/update-translations.sh):\n")
                                                 .arg(QLatin1String(code)) + added.join('\n')));
    }
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
