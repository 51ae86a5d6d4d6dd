#include "sim/faultoption.h"

#include <QStringList>

namespace {

using Sim = InstrumentSimulator;

struct Name
{
    const char* text;
    int value;
};

const Name kinds[] = {
    {"no-reply", Sim::NoReply},         {"delay", Sim::DelayReply},
    {"split", Sim::SplitReply},         {"bad-crc", Sim::BadCrc},
    {"other-address", Sim::OtherAddress}, {"other-command", Sim::OtherCommand},
    {"wrong-length", Sim::WrongLength}, {"other-port", Sim::OtherPort},
    {"foreign-first", Sim::ForeignFirst}, {"chatter", Sim::Chatter},
};

const Name commands[] = {
    {"any", Sim::AnyCommand},           {"read-item", Sim::ReadItem},
    {"write-item", Sim::WriteItem},     {"set-clock", Sim::SetClock},
    {"query-history", Sim::QueryHistory}, {"read-device-id", Sim::ReadDeviceId},
    {"erase-flash", Sim::EraseFlash},   {"write-page", Sim::WritePage},
    {"end-update", Sim::EndUpdate},
};

template <std::size_t N>
bool lookUp(const Name (&names)[N], const QString& text, int* value)
{
    for (const Name& name : names) {
        if (text == QLatin1String(name.text)) {
            *value = name.value;
            return true;
        }
    }
    return false;
}

template <std::size_t N>
QString listOf(const Name (&names)[N])
{
    QStringList list;
    for (const Name& name : names)
        list.append(QLatin1String(name.text));
    return list.join(QStringLiteral(", "));
}

bool parseNumber(const QString& text, int lowest, int highest, int* value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < lowest || number > highest)
        return false;
    *value = number;
    return true;
}

} // namespace

bool parseFaultOption(const QString& text, InstrumentSimulator::Fault* fault, QString* error)
{
    const QStringList parts = text.split(QLatin1Char(','));
    Sim::Fault parsed;
    int kind = 0;
    if (!lookUp(kinds, parts.first().trimmed(), &kind)) {
        *error = QStringLiteral("unknown fault \"%1\" (known: %2)").arg(parts.first(), listOf(kinds));
        return false;
    }
    parsed.kind = Sim::FaultKind(kind);
    for (const QString& part : parts.mid(1)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = part.section(QLatin1Char('='), 1).trimmed();
        bool ok = false;
        if (key == QLatin1String("command"))
            ok = lookUp(commands, value, &parsed.command);
        else if (key == QLatin1String("count"))
            ok = parseNumber(value, -1, 1000000, &parsed.count) && parsed.count != 0;
        else if (key == QLatin1String("delay"))
            ok = parseNumber(value, 0, 3600000, &parsed.delayMs);
        else if (key == QLatin1String("pieces"))
            ok = parseNumber(value, 1, 4096, &parsed.pieces);
        else {
            *error = QStringLiteral("unknown fault setting \"%1\" (known: command, count, delay, pieces)").arg(key);
            return false;
        }
        if (!ok) {
            *error = key == QLatin1String("command")
                ? QStringLiteral("unknown command \"%1\" (known: %2)").arg(value, listOf(commands))
                : QStringLiteral("bad %1 \"%2\"").arg(key, value);
            return false;
        }
    }
    *fault = parsed;
    return true;
}

QString faultOptionHelp()
{
    return QStringLiteral("Misbehave on purpose; repeatable. FAULT is KIND[,command=NAME][,count=N][,delay=MS][,pieces=N] "
                          "with KIND one of %1 and NAME one of %2; count defaults to 1 (-1: every request), "
                          "delay to 0 ms (delay, split: the gap between pieces, foreign-first), pieces to 2.")
        .arg(listOf(kinds), listOf(commands));
}
