#include "tests/support/ui/languageprobe.h"

#include "prompt/placeholderwidth.h"
#include "prompt/titlewidth.h"
#include "tests/support/scripttexts.h"
#include "tests/support/ui/confighost.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

// Item names and values as an instrument sends them, in Simplified Chinese whatever the language.
const QStringList deviceTexts = {QStringLiteral("报警上限"), QStringLiteral("5"), QStringLiteral("恢复出厂设置")};

void addDeviceRows(MainWindow& window)
{
    window.slotAddItems(2, {deviceTexts[0], deviceTexts[1]});
    window.slotAddItems(0, {deviceTexts[2]});
}

// What is wrong with one text in the language `code`, or nothing.
QString fault(QString text, const QString& code)
{
    if (text.isEmpty() || isLanguageName(text))
        return QString();
    for (const QString& device : deviceTexts)
        if (text == device || text == QStringLiteral(": ") + device)
            return QString();
    // A message that names an item ("the instrument will carry out 恢复出厂设置") is judged without it.
    for (const QString& device : deviceTexts)
        if (device.size() > 1)
            text.remove(device);
    if (code == QLatin1String("en_US"))
        return hasCjk(text) ? QStringLiteral("Chinese") : QString();
    const QChar simplified = firstSimplifiedOnly(text);
    if (!simplified.isNull())
        return QStringLiteral("Simplified ") + simplified;
    const QString term = firstMainlandTerm(text);
    return term.isEmpty() ? QString() : QStringLiteral("Mainland term ") + term;
}

// Every text property of the object (text, title, windowTitle, toolTip, placeholderText ...).
void checkProperties(const QObject* object, const QString& code, QStringList& faults)
{
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.type() != QVariant::String || qstrcmp(property.name(), "objectName") == 0)
            continue;
        const QString text = property.read(object).toString();
        const QString wrong = fault(text, code);
        if (!wrong.isEmpty())
            faults << QStringLiteral("%1 %2.%3 \"%4\": %5")
                          .arg(QLatin1String(meta->className()), object->objectName(),
                               QLatin1String(property.name()), text, wrong);
    }
}

}

QStringList wrongTexts(QWidget* top, const QString& code)
{
    QStringList faults;
    checkProperties(top, code, faults);
    for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(top) && !qobject_cast<QMenu*>(widget))
            continue;
        checkProperties(widget, code, faults);
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                if (!fault(combo->itemText(i), code).isEmpty())
                    faults << QStringLiteral("QComboBox %1 item \"%2\"").arg(combo->objectName(), combo->itemText(i));
        if (auto* bar = qobject_cast<QStatusBar*>(widget))
            if (!fault(bar->currentMessage(), code).isEmpty())
                faults << QStringLiteral("status bar \"%1\"").arg(bar->currentMessage());
    }
    for (QAction* action : top->findChildren<QAction*>())
        checkProperties(action, code, faults);
    return faults;
}

void saveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZQ_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

ScriptedPrompter::DialogAnswer Inspector::answer()
{
    return [this](QDialog& dialog) {
        classes << QString::fromLatin1(dialog.metaObject()->className());
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            faults << QStringLiteral("%1 never showed").arg(classes.last());
        saveScreenshot(&dialog, QStringLiteral("%1-%2-%3").arg(code, name).arg(classes.size()));
        faults << wrongTexts(&dialog, code);
        if (dialog.width() < titleBarWidth(dialog))
            faults << QStringLiteral("%1 \"%2\" cuts its title: %3 wide, needs %4")
                          .arg(classes.last(), dialog.windowTitle())
                          .arg(dialog.width())
                          .arg(titleBarWidth(dialog));
        for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (edit->isVisibleTo(&dialog) && edit->text().isEmpty() && edit->width() < placeholderWidth(*edit))
                faults << QStringLiteral("%1 %2 cuts its hint \"%3\": %4 wide, needs %5")
                              .arg(classes.last(), edit->objectName(), edit->placeholderText())
                              .arg(edit->width())
                              .arg(placeholderWidth(*edit));
        }
        dialog.hide();
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (box && box->defaultButton())
            return int(box->standardButton(box->defaultButton()));
        return box ? int(QMessageBox::Ok) : int(QDialog::Rejected);
    };
}

ScriptedPrompter::DialogAnswer clickIn(const char* button, std::function<void(QDialog&)> before)
{
    return [button, before](QDialog& dialog) {
        if (before)
            before(dialog);
        if (auto* found = dialog.findChild<QAbstractButton*>(QLatin1String(button)))
            found->click();
        return int(QDialog::Rejected);
    };
}

void chooseUdp(QDialog& dialog)
{
    dialog.findChild<QGroupBox*>(QStringLiteral("gbUdp"))->setChecked(true);
}

Opener byAction(const char* name, QList<ScriptedPrompter::DialogAnswer> through)
{
    return [name, through](MainWindow& window, ScriptedPrompter& prompter, WorkDir&, const std::function<void()>& thenAnswer) {
        for (const auto& answer : through)
            prompter.answerNext(answer);
        thenAnswer();
        trigger(window, name);
    };
}

Opener byDoubleClick(int row)
{
    return [row](MainWindow& window, ScriptedPrompter&, WorkDir&, const std::function<void()>& thenAnswer) {
        thenAnswer();
        doubleClick(window, row);
    };
}

LanguageSetup::LanguageSetup(const QString& code)
{
    dir.copyTranslations();
    dir.writeConfig({{"communicate/udp", 0}, {"serial/port", "/nonexistent/ttyZQ"}});
    window.reset(new MainWindow);
    window->show();
    addDeviceRows(*window);
    window->findChild<QAction*>(QStringLiteral("lang_") + code)->trigger();
}
