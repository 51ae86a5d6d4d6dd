// Labels: package
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const int programBoundMs = 8000;

struct Outcome
{
    bool finished = false;
    int exitCode = -1;
    QString output;
};

Outcome runProgram(const QString& program, const QStringList& arguments,
                   const QString& folder = QString(),
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Outcome outcome;
    outcome.finished = process.waitForFinished(programBoundMs);
    if (!outcome.finished) {
        process.kill();
        process.waitForFinished();
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.output = QString::fromUtf8(process.readAll());
    return outcome;
}

QString describe(const Outcome& outcome)
{
    return QStringLiteral("finished %1, exit code %2:\n%3")
        .arg(outcome.finished).arg(outcome.exitCode).arg(outcome.output);
}

void writeText(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(contents);
}

}

// Installs the build into a temporary prefix, as `cmake --install` would for an operator, and checks
// the installed tree: the files a desktop needs, and an assistant that starts from anywhere.
class TestInstall : public QObject
{
    Q_OBJECT

private:
    // A prefix with a space, as an operator's folder may have: the desktop entry and the launcher
    // must keep the path in one piece.
    QTemporaryDir prefix{QDir::tempPath() + QStringLiteral("/zq prefix XXXXXX")};
    QTemporaryDir scratch;
    int runs = 0;

    QString installed(const QString& path) const { return QDir(prefix.path()).filePath(path); }
    QString assistant() const { return installed(QStringLiteral(ZQ_INSTALL_BINDIR "/zq-assistant")); }
    QString launcher() const { return installed(QStringLiteral(ZQ_LAUNCHER_DIR "/zq-assistant-menu")); }

    QString freshFolder()
    {
        const QString folder = scratch.filePath(QStringLiteral("run%1").arg(++runs));
        QDir().mkpath(folder);
        return folder;
    }

    // The offscreen assistant, probed for what its main window shows; the probe closes the window.
    QProcessEnvironment probedEnvironment(const QString& output) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ZQ_WINDOW_PROBE));
        environment.insert(QStringLiteral("ZQ_PROBE_OUTPUT"), output);
        // A sanitized build: its runtime would refuse the probe loaded ahead of it. The launcher's
        // shell and the tools it runs carry the probe too, and their own unfreed memory at exit is
        // not ours to judge: leaks are looked for in the test programs, not in these children.
        const QString asan = environment.value(QStringLiteral("ASAN_OPTIONS"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), asan + (asan.isEmpty() ? "" : ":")
                                                               + QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));
        return environment;
    }

    // Runs program with the probe and returns its report as key=value lines (menus joined by '|').
    QMap<QString, QString> probe(const QString& program, const QString& folder,
                                 QProcessEnvironment environment = QProcessEnvironment())
    {
        const QString output = scratch.filePath(QStringLiteral("probe%1.txt").arg(++runs));
        if (environment.isEmpty())
            environment = probedEnvironment(output);
        else
            environment.insert(QStringLiteral("ZQ_PROBE_OUTPUT"), output);
        const Outcome outcome = runProgram(program, {}, folder, environment);
        QMap<QString, QString> report;
        report[QStringLiteral("outcome")] = outcome.finished && outcome.exitCode == 0
            ? QStringLiteral("ok") : describe(outcome);
        QFile file(output);
        if (!file.open(QIODevice::ReadOnly))
            return report;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString key = line.section(QLatin1Char('='), 0, 0);
            const QString value = line.section(QLatin1Char('='), 1);
            report[key] = report.contains(key) ? report[key] + QLatin1Char('|') + value : value;
        }
        return report;
    }

private slots:
    void initTestCase();
    void desktopFilesValidate();
    void iconSizes_data();
    void iconSizes();
    void startsFromAnyFolder_data();
    void startsFromAnyFolder();
    void menuStartWorksInUserFolder_data();
    void menuStartWorksInUserFolder();
};

void TestInstall::initTestCase()
{
    QVERIFY(prefix.isValid() && scratch.isValid());
    const Outcome outcome = runProgram(QStringLiteral(ZQ_CMAKE),
                                       {QStringLiteral("--install"), QStringLiteral(ZQ_BUILD_DIR),
                                        QStringLiteral("--prefix"), prefix.path()});
    QVERIFY2(outcome.finished && outcome.exitCode == 0, qPrintable(describe(outcome)));
    for (const char* path : {ZQ_INSTALL_BINDIR "/zq-simulator", ZQ_INSTALL_BINDIR "/zq-package", ZQ_INSTALL_BINDIR "/zq-cli",
                             ZQ_INSTALL_DATADIR "/zq-assistant/sample-items.txt",
                             ZQ_INSTALL_DATADIR "/man/man1/zq-assistant.1.gz", ZQ_INSTALL_DATADIR "/man/man1/zq-cli.1.gz",
                             ZQ_INSTALL_DATADIR "/man/man1/zq-simulator.1.gz", ZQ_INSTALL_DATADIR "/man/man1/zq-package.1.gz",
                             ZQ_INSTALL_DATADIR "/doc/zq-assistant/copyright", ZQ_INSTALL_DATADIR "/doc/zq-assistant/changelog.gz",
                             ZQ_INSTALL_DATADIR "/zq-assistant/translations/en_US.qm",
                             ZQ_INSTALL_DATADIR "/zq-assistant/translations/zh_CH.qm",
                             ZQ_INSTALL_DATADIR "/zq-assistant/translations/zh_TW.qm"})
        QVERIFY2(QFileInfo(installed(QString::fromLatin1(path))).isFile(), path);
    QVERIFY(QFileInfo(assistant()).isExecutable());
    QVERIFY(QFileInfo(launcher()).isExecutable());
}

// Menus and software centres ignore entries that break the rules, so the validators have the last word.
void TestInstall::desktopFilesValidate()
{
    const QString desktop = installed(QStringLiteral(ZQ_INSTALL_DATADIR "/applications/org.zqseries.assistant.desktop"));
    const QString metainfo = installed(QStringLiteral(ZQ_INSTALL_DATADIR "/metainfo/org.zqseries.assistant.metainfo.xml"));
    for (const char* tool : {"desktop-file-validate", "appstreamcli"})
        QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                 "missing validator: run scripts/install-deps.sh");

    Outcome outcome = runProgram(QStringLiteral("desktop-file-validate"), {desktop});
    QVERIFY2(outcome.exitCode == 0 && outcome.output.trimmed().isEmpty(), qPrintable(describe(outcome)));
    outcome = runProgram(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
    QVERIFY2(outcome.exitCode == 0, qPrintable(describe(outcome)));

    // The entry is written for the prefix it is installed into, so the menu starts this copy; the
    // path is quoted, so its space does not split it.
    QSettings entry(desktop, QSettings::IniFormat);
    QCOMPARE(entry.value(QStringLiteral("Desktop Entry/Exec")).toString(), launcher());
    QFile raw(desktop);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().contains("\nExec=\"" + launcher().toUtf8() + "\"\n"));
    const QString icon = entry.value(QStringLiteral("Desktop Entry/Icon")).toString();
    QVERIFY(QFileInfo(installed(QStringLiteral(ZQ_INSTALL_DATADIR "/icons/hicolor/scalable/apps/%1.svg").arg(icon))).isFile());
}

void TestInstall::iconSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

// Each hicolor folder must hold an image of its own size, or the theme scales a wrong one.
void TestInstall::iconSizes()
{
    QFETCH(int, size);
    const QImage icon(installed(QStringLiteral(ZQ_INSTALL_DATADIR "/icons/hicolor/%1x%1/apps/zq-assistant.png").arg(size)));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // Transparent corners outside the rounded tile, the opaque tile at the centre.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
}

void TestInstall::startsFromAnyFolder_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("folderTranslation");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("menus");
    QTest::newRow("English, no .qm in the folder")
        << QByteArray("en_US") << QString() << "ZU Vuvoriraz V5.3" << "&Operations|&Language|&Help"; // with their Alt letters
    QTest::newRow("Traditional Chinese, no .qm in the folder")
        << QByteArray("zh_TW") << QString() << "ZEve V5.3" << "操作(&O)|語言(&L)|說明(&H)";
    QTest::newRow("no language chosen")
        << QByteArray() << QString() << "ZEve V5.3" << "操作(&O)|语言(&L)|帮助(&H)";
    // The folder's own file is looked at first: here its en_US.qm holds Traditional Chinese texts.
    QTest::newRow("the folder's own file comes first")
        << QByteArray("en_US") << "zh_TW" << "ZU Vuvoriraz V5.3" << "操作(&O)|語言(&L)|說明(&H)";
}

// Started from a terminal in any folder, the installed assistant works there and still finds its texts.
void TestInstall::startsFromAnyFolder()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, folderTranslation);
    QFETCH(QString, title);
    QFETCH(QString, menus);
    const QString folder = freshFolder();
    if (!language.isEmpty())
        writeText(folder + "/config.ini", "[language]\nlanguage=" + language + "\n");
    if (!folderTranslation.isEmpty())
        QVERIFY(QFile::copy(installed(ZQ_INSTALL_DATADIR "/zq-assistant/translations/" + folderTranslation + ".qm"),
                            folder + "/" + language + ".qm"));

    const QMap<QString, QString> report = probe(assistant(), folder);
    QCOMPARE(report.value("outcome"), QStringLiteral("ok"));
    QCOMPARE(report.value("title"), title);
    QCOMPARE(report.value("menu"), menus);
    QCOMPARE(QDir(report.value("folder")).canonicalPath(), QDir(folder).canonicalPath());
    // The settings stay in the working folder, as they always have.
    QSettings settings(folder + "/config.ini", QSettings::IniFormat);
    QVERIFY(settings.contains("window/width"));
}

void TestInstall::menuStartWorksInUserFolder_data()
{
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<QString>("userFolder");
    QTest::newRow("XDG_DATA_HOME set") << "<home>/data" << "<home>/data/zq-assistant";
    QTest::newRow("XDG_DATA_HOME unset") << QString() << "<home>/.local/share/zq-assistant";
    QTest::newRow("XDG_DATA_HOME relative, so ignored") << "data" << "<home>/.local/share/zq-assistant";
}

// From the menu there is no folder of the operator's choosing: the launcher makes one of the user's
// own on first start and keeps the settings there, whatever folder the desktop starts it in.
void TestInstall::menuStartWorksInUserFolder()
{
    QFETCH(QString, dataHome);
    QFETCH(QString, userFolder);
    const QString home = freshFolder();
    const QString startFolder = freshFolder();
    userFolder.replace("<home>", home);
    QProcessEnvironment environment = probedEnvironment(QString());
    environment.insert("HOME", home);
    environment.remove("XDG_DATA_HOME");
    if (!dataHome.isNull())
        environment.insert("XDG_DATA_HOME", dataHome.replace("<home>", home));

    for (int start = 0; start < 2; ++start) {
        const QMap<QString, QString> report = probe(launcher(), startFolder, environment);
        QCOMPARE(report.value("outcome"), QStringLiteral("ok"));
        QCOMPARE(QDir(report.value("folder")).canonicalPath(), QDir(userFolder).canonicalPath());
        QVERIFY(QFileInfo(userFolder + "/config.ini").isFile());
        if (start == 0) {
            // The operator's choice made in the first session is there for the next.
            QSettings settings(userFolder + "/config.ini", QSettings::IniFormat);
            settings.setValue("language/language", "en_US");
        } else {
            QCOMPARE(report.value("title"), QStringLiteral("ZU Vuvoriraz V5.3"));
            QCOMPARE(report.value("menu"), QStringLiteral("&Operations|&Language|&Help"));
        }
    }
    QVERIFY(QDir(startFolder).isEmpty());
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
