#include "app/changelist.h"

#include "config/configidentity.h"
#include "config/configmodel.h"

#include <QCoreApplication>
#include <QStringList>

#include <functional>

namespace {
ChangeList listOf(const ConfigModel& model, const std::function<bool(const ConfigItem&)>& written)
{
    ChangeList changes;
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        const ConfigItem& item = model.item(row);
        if (!written(item))
            continue;
        changes.rows.append(row);
        const QString old = item.hasReadValue ? item.readValue : QCoreApplication::translate("MainWindow", "(未读取)");
        lines.append(QCoreApplication::translate("MainWindow", "%1: %2 → %3").arg(item.row.name, old, item.row.value));
    }
    changes.text = QCoreApplication::translate("MainWindow", "将以下 %1 项写入设备:").arg(changes.rows.size())
        + QLatin1Char('\n') + QStringList(lines.mid(0, ChangeList::ShownLines)).join(QLatin1Char('\n'));
    if (lines.size() > ChangeList::ShownLines) {
        changes.text += QLatin1Char('\n')
            + QCoreApplication::translate("MainWindow", "…… 其余 %1 项见详细信息")
                  .arg(lines.size() - ChangeList::ShownLines);
        changes.details = lines.join(QLatin1Char('\n'));
    }
    return changes;
}
} // namespace

ChangeList changeList(const ConfigModel& model)
{
    return listOf(model, [](const ConfigItem& item) { return item.isChanged(); });
}

ChangeList writeAllList(const ConfigModel& model)
{
    // The rows that name the instrument are its own: a value for them from a file or an edit
    // would only be refused, or worse, taken.
    return listOf(model, [](const ConfigItem& item) {
        return item.row.valued && !ConfigIdentity::isIdentityName(item.row.name);
    });
}
