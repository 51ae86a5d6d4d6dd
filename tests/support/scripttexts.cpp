#include "tests/support/scripttexts.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// Characters of the user texts and their likely neighbours whose Traditional form differs; only
// characters without a Traditional use of their own (so not 后, 准, 里, 面, 台, 系, 范).
const QString simplifiedOnly = QStringLiteral(
    "设讯数据录载开关为错误连选择时间导写输节术务历监听门络网码验证库备册态显请应读认当这项个们从"
    "过长编许无还没与义么处钮图标报复线级检测询删际实状帮语简体发败试问题页览击键盘断块动转换档径"
    "类变统计启闭满确丢双单频压电湿观视总运进区围将维护说对话传归号产厂签资优执结构参权让识负责贴"
    "缓层属继续终组织异样种严协议绪细给经红绿纸约");

const QStringList mainlandTerms = {
    QStringLiteral("固件"), QStringLiteral("軟件"), QStringLiteral("硬件"), QStringLiteral("串口"),
    QStringLiteral("端口"), QStringLiteral("默認"), QStringLiteral("網絡"), QStringLiteral("信息"),
    QStringLiteral("文件"), QStringLiteral("數據"), QStringLiteral("設置"), QStringLiteral("程序"),
    QStringLiteral("字節"), QStringLiteral("超時"),
};

}

bool hasCjk(const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

QChar firstSimplifiedOnly(const QString& text)
{
    for (const QChar c : text)
        if (simplifiedOnly.contains(c))
            return c;
    return QChar();
}

QString firstMainlandTerm(const QString& text)
{
    for (const QString& term : mainlandTerms)
        if (text.contains(term))
            return term;
    return QString();
}

bool isLanguageName(const QString& text)
{
    // With or without the menu's Alt letter: "&English", "简体中文(&S)".
    static const QRegularExpression letter(QStringLiteral("\\(&[^&]\\)$|&(?=[^&])"));
    const QString name = QString(text).remove(letter);
    return name == QLatin1String("English") || name == QStringLiteral("简体中文") || name == QStringLiteral("繁體中文");
}
