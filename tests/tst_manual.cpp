// Labels: gui fast
#include "help/ui/helpkey.h"
#include "help/ui/manualwindow.h"

#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

namespace {

QString manualText(const QString& resource)
{
    QFile file(resource);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSet<QString> captures(const QString& text, const QString& pattern)
{
    QSet<QString> found;
    auto matches = QRegularExpression(pattern).globalMatch(text);
    while (matches.hasNext())
        found.insert(matches.next().captured(1));
    return found;
}

const QStringList sections = {"connect", "configuration", "backups",  "history",
                              "monitor", "firmware",      "settings", "troubleshooting"};

} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private slots:
    void everyLanguageHasEverySectionAndNoDeadLink_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("title");
        QTest::newRow("zh_CH") << QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China)
                               << "使用手册";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "manual";
        QTest::newRow("zh_TW") << QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan)
                               << "使用手冊";
    }
    void everyLanguageHasEverySectionAndNoDeadLink()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, title);
        const QString text = manualText(ManualWindow::resourceFor(locale));
        QVERIFY2(text.contains(title), qPrintable(ManualWindow::resourceFor(locale)));
        const QSet<QString> anchors = captures(text, QStringLiteral("<a name=\"([^\"]+)\""));
        const QSet<QString> links = captures(text, QStringLiteral("href=\"#([^\"]+)\""));
        for (const QString& section : sections)
            QVERIFY2(anchors.contains(section) && links.contains(section), qPrintable(section));
        for (const QString& link : links)
            QVERIFY2(anchors.contains(link), qPrintable(link));
    }

    void f1OpensTheManualOnceForTheWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        HelpKey helpKey;
        qApp->installEventFilter(&helpKey);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QTest::keyClick(&window, Qt::Key_F1);
        const auto manuals = window.findChildren<ManualWindow*>();
        QCOMPARE(manuals.size(), 1);
        QVERIFY(manuals.first()->isVisible());
        QVERIFY(manuals.first()->browser()->toPlainText().contains(QStringLiteral("Troubleshooting")));
        manuals.first()->close();
        qApp->removeEventFilter(&helpKey);
    }

    void aSectionIsScrolledTo()
    {
        QWidget window;
        window.resize(400, 300);
        window.show();
        ManualWindow* manual = ManualWindow::open(&window, QStringLiteral("troubleshooting"));
        manual->resize(400, 300);
        manual->showSection(QStringLiteral("troubleshooting"));
        QTRY_VERIFY(manual->browser()->verticalScrollBar()->value() > 0);
        manual->showSection(QString());
        QCOMPARE(manual->browser()->verticalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
