#include "tools/zq-cli/cliparser.h"

#include "link/texts/linktexts.h"
#include "settings/settingkeys.h"
#include "tools/zq-cli/clilanguage.h"

#include <QCommandLineParser>
#include <QHostAddress>
#include <QSerialPort>

#include <cstdio>

namespace {

const QStringList Commands = {QStringLiteral("read"),  QStringLiteral("write"),   QStringLiteral("set-clock"),
                              QStringLiteral("history"), QStringLiteral("flash"), QStringLiteral("monitor"),
                              QStringLiteral("search")};

// Every option of every subcommand, untranslated: enough to find the subcommand and --lang before
// the texts of the real parser can be translated.
QList<QCommandLineOption> allOptions()
{
    QList<QCommandLineOption> options;
    for (const char* name : {"udp", "serial", "baud", "data-bits", "parity", "stop-bits", "address", "lang", "timeout",
                             "csv", "csv-format", "time", "from", "to", "pdf", "seconds", "port", "wait"})
        options.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("x")));
    for (const char* name : {"json", "rts", "dtr", "dry-run", "changed-only", "allow-downgrade", "debug", "hex", "both", "help", "h", "summary"})
        options.append(QCommandLineOption(QString::fromLatin1(name)));
    return options;
}

bool toInt(const QString& text, int low, int high, int* value)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    if (!ok || number < low || number > high)
        return false;
    *value = number;
    return true;
}

}

bool CliParser::servesSeveral(const QString& command)
{
    return command == QLatin1String("read") || command == QLatin1String("write")
           || command == QLatin1String("set-clock") || command == QLatin1String("flash");
}

bool CliParser::fail(const QString& text)
{
    error = text;
    return false;
}

CliParser::Outcome CliParser::refuse(const QString& text)
{
    error = text;
    return Failed;
}

CliParser::Outcome CliParser::parse(const QStringList& arguments)
{
    {
        QCommandLineParser first;
        first.addOptions(allOptions());
        first.parse(arguments);
        installLanguage(first.value(QStringLiteral("lang")));
        parsed.command = first.positionalArguments().value(0);
    }

    QCommandLineParser parser;
    const QString description = tr("ZQ 仪器的配置、时钟、历史记录、固件和监视，在命令行上完成。\n"
                                   "子命令: read, write, set-clock, history, flash, monitor, search\n"
                                   "连接默认取自当前目录的 config.ini。\n"
                                   "退出码: 0 成功, 1 用法错误, 2 通讯失败, 3 仪器拒绝或应答无效, 4 文件错误或拒绝降级, 5 已中断。");
    addArgument(parser, QStringLiteral("command"), tr("要执行的子命令"), tr("<子命令>"));
    addOptions(parser, parsed.command);

    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(helpText(description).toLocal8Bit().constData(), stdout);
        return Finished;
    }
    if (parsed.command.isEmpty())
        return refuse(tr("缺少子命令; 用 --help 查看用法"));
    if (!Commands.contains(parsed.command))
        return refuse(tr("未知的子命令: %1").arg(parsed.command));

    parsed.json = parser.isSet(QStringLiteral("json"));
    if (parser.isSet(QStringLiteral("timeout"))
        && !toInt(parser.value(QStringLiteral("timeout")), 1, 600000, &parsed.timeoutMs))
        return refuse(tr("无效的超时: %1").arg(parser.value(QStringLiteral("timeout"))));
    if (parsed.command != QLatin1String("search") && !readConnection(parser))
        return Failed;
    return readCommand(parser) ? Run : Failed;
}

void CliParser::addOption(QCommandLineParser& parser, const QCommandLineOption& option)
{
    parser.addOption(option);
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString shown = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        shown += QStringLiteral(" <%1>").arg(option.valueName());
    QString text = option.description();
    if (!option.defaultValues().isEmpty())
        text += QLatin1Char(' ') + tr("(默认: %1)").arg(option.defaultValues().join(QStringLiteral(", ")));
    helpOptions.append({shown, text});
}

void CliParser::addArgument(QCommandLineParser& parser, const QString& name, const QString& text, const QString& syntax)
{
    parser.addPositionalArgument(name, text, syntax);
    // Shown as the usage line writes it, so the two match.
    helpArguments.append({syntax, text});
    argumentSyntax.append(syntax);
}

QString CliParser::helpText(const QString& description) const
{
    const QString usage = QStringList{QCoreApplication::applicationName(), tr("[选项]")}.join(QLatin1Char(' '))
                          + QLatin1Char(' ') + argumentSyntax.join(QLatin1Char(' '));
    return CliHelp::text(usage, description, helpOptions, helpArguments);
}

void CliParser::addOptions(QCommandLineParser& parser, const QString& command)
{
    addOption(parser, {{QStringLiteral("h"), QStringLiteral("help")}, tr("显示此帮助后退出")});
    addOption(parser, {QStringLiteral("json"), tr("每台仪器输出一行 JSON 对象")});
    addOption(parser, {QStringLiteral("lang"), tr("信息的语言: en_US, zh_CH 或 zh_TW (默认取自 config.ini)"),
                      tr("语言")});
    addOption(parser, {QStringLiteral("timeout"), tr("每次等待应答的毫秒数 (默认为仪器自身的时间)"), tr("毫秒")});
    if (command != QLatin1String("search")) {
        addOption(parser, {QStringLiteral("udp"), tr("经 UDP 连接仪器; read, write, set-clock 和 flash 可重复此选项"),
                          tr("主机:端口")});
        addOption(parser, {QStringLiteral("serial"), tr("经串口连接仪器"), tr("串口")});
        addOption(parser, {QStringLiteral("baud"), tr("串口波特率"), tr("数值")});
        addOption(parser, {QStringLiteral("data-bits"), tr("串口数据位: 5 到 8"), tr("数值")});
        addOption(parser, {QStringLiteral("parity"), tr("串口校验: none, even, odd, space 或 mark"), tr("校验")});
        addOption(parser, {QStringLiteral("stop-bits"), tr("串口停止位: 1, 1.5 或 2"), tr("数值")});
        addOption(parser, {QStringLiteral("rts"), tr("发送请求前拉 RTS")});
        addOption(parser, {QStringLiteral("dtr"), tr("打开串口时置 DTR")});
        addOption(parser, {QStringLiteral("address"), tr("仪器的设备地址: 1 到 255"), tr("数值")});
    }
    if (command == QLatin1String("read")) {
        addOption(parser, {QStringLiteral("csv"), tr("把配置按助手的导出格式写入 CSV 文件"), tr("文件")});
    } else if (command == QLatin1String("write")) {
        addArgument(parser, QStringLiteral("file"), tr("要写入的配置 CSV 文件"), tr("文件.csv"));
        addOption(parser, {QStringLiteral("dry-run"), tr("只显示将要写入的项, 不写入")});
        addOption(parser, {QStringLiteral("changed-only"), tr("先读取配置, 只写入数值不同的项")});
        addOption(parser, {QStringLiteral("skip"), tr("不写入此项 (名称或编号), 可重复使用"), tr("项")});
    } else if (command == QLatin1String("set-clock")) {
        addOption(parser, {QStringLiteral("time"), tr("要设置的时间, ISO 格式 (默认为当前时间)"), tr("时间")});
    } else if (command == QLatin1String("history")) {
        addOption(parser, {QStringLiteral("from"), tr("起始日期 (yyyy-MM-dd)"), tr("日期")});
        addOption(parser, {QStringLiteral("to"), tr("结束日期 (yyyy-MM-dd)"), tr("日期")});
        addOption(parser, {QStringLiteral("csv"), tr("把记录导出为 CSV 文件"), tr("文件")});
        addOption(parser, {QStringLiteral("csv-format"),
                           tr("CSV 的格式: lines (记录原文, 默认) 或 table (表格, 每个字段一列)"), tr("格式"),
                           QStringLiteral("lines")});
        addOption(parser, {QStringLiteral("pdf"), tr("把记录导出为 PDF 文件"), tr("文件")});
        addOption(parser, {QStringLiteral("summary"), tr("打印每个数值列的统计 (条数, 最小, 最大, 平均) 代替记录")});
    } else if (command == QLatin1String("flash")) {
        addArgument(parser, QStringLiteral("package"), tr("要烧写的固件包"), tr("固件包.zqbin"));
        addOption(parser, {QStringLiteral("allow-downgrade"), tr("固件包的版本比仪器的旧时也烧写 (降级)")});
    } else if (command == QLatin1String("monitor")) {
        addOption(parser, {QStringLiteral("debug"), tr("打开仪器的调试输出, 结束时关闭")});
        addOption(parser, {QStringLiteral("hex"), tr("以十六进制显示")});
        addOption(parser, {QStringLiteral("both"), tr("同时以文本和十六进制显示")});
        addOption(parser, {QStringLiteral("seconds"), tr("监视的秒数 (默认直到 Ctrl-C)"), tr("秒")});
    } else if (command == QLatin1String("search")) {
        addOption(parser, {QStringLiteral("port"), tr("搜索探测发往的 UDP 端口"), tr("端口"), QStringLiteral("1500")});
        addOption(parser, {QStringLiteral("wait"), tr("等待应答的毫秒数"), tr("毫秒"), QStringLiteral("3000")});
        addOption(parser, {QStringLiteral("to"), tr("探测的目的地址, 可重复 (默认为本机各网络的广播地址)"), tr("地址")});
    }
}

bool CliParser::readConnection(QCommandLineParser& parser)
{
    const LinkSettings stored = LinkSettings::load();
    LinkSettings base = stored;
    if (parser.isSet(QStringLiteral("address"))
        && !toInt(parser.value(QStringLiteral("address")), 1, 255, &base.deviceAddress))
        return fail(tr("无效的设备地址: %1").arg(parser.value(QStringLiteral("address"))));
    // A flag replaces what config.ini holds, readable or not.
    const auto given = [&parser](const char* option, LinkSettings& settings, const SettingKey& key) {
        if (parser.isSet(QString::fromLatin1(option)))
            settings.unreadable.remove(key.path);
    };
    given("address", base, Settings::DeviceAddress);

    const QStringList udp = parser.values(QStringLiteral("udp"));
    const bool serial = parser.isSet(QStringLiteral("serial"));
    if (serial && !udp.isEmpty())
        return fail(tr("--udp 与 --serial 不能同时使用"));
    if (udp.size() > 1 && !servesSeveral(parsed.command))
        return fail(tr("子命令 %1 只能连接一台仪器").arg(parsed.command));

    for (const QString& peer : udp) {
        // HOST:PORT, the host an IPv4 address or an IPv6 one in brackets.
        const int colon = peer.lastIndexOf(QLatin1Char(':'));
        QString host = peer.left(colon);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        int port = 0;
        if (colon <= 0 || QHostAddress(host).isNull() || !toInt(peer.mid(colon + 1), 1, 65535, &port))
            return fail(tr("无效的 UDP 地址: %1 (应为 主机:端口)").arg(peer));
        LinkTarget target{peer, base};
        target.settings.useUdp = true;
        target.settings.udpAddress = host;
        target.settings.udpPort = QString::number(port);
        parsed.targets.append(target);
    }
    if (!udp.isEmpty())
        return settingsFit();

    LinkSettings line = base;
    if (serial) {
        line.useUdp = false;
        line.serialPort = parser.value(QStringLiteral("serial"));
    }
    if (parser.isSet(QStringLiteral("baud")) && !toInt(parser.value(QStringLiteral("baud")), 1, 4000000, &line.baudRate))
        return fail(tr("无效的波特率: %1").arg(parser.value(QStringLiteral("baud"))));
    if (parser.isSet(QStringLiteral("data-bits"))
        && !toInt(parser.value(QStringLiteral("data-bits")), 5, 8, &line.dataBits))
        return fail(tr("无效的数据位: %1").arg(parser.value(QStringLiteral("data-bits"))));
    if (parser.isSet(QStringLiteral("parity"))) {
        const QMap<QString, int> parities{{QStringLiteral("none"), QSerialPort::NoParity},
                                          {QStringLiteral("even"), QSerialPort::EvenParity},
                                          {QStringLiteral("odd"), QSerialPort::OddParity},
                                          {QStringLiteral("space"), QSerialPort::SpaceParity},
                                          {QStringLiteral("mark"), QSerialPort::MarkParity}};
        const QString name = parser.value(QStringLiteral("parity")).toLower();
        if (!parities.contains(name))
            return fail(tr("无效的校验: %1").arg(name));
        line.parity = parities.value(name);
    }
    if (parser.isSet(QStringLiteral("stop-bits"))) {
        const QMap<QString, int> stops{{QStringLiteral("1"), QSerialPort::OneStop},
                                       {QStringLiteral("1.5"), QSerialPort::OneAndHalfStop},
                                       {QStringLiteral("2"), QSerialPort::TwoStop}};
        const QString name = parser.value(QStringLiteral("stop-bits"));
        if (!stops.contains(name))
            return fail(tr("无效的停止位: %1").arg(name));
        line.stopBits = stops.value(name);
    }
    given("baud", line, Settings::SerialBaudRate);
    given("data-bits", line, Settings::SerialDataBits);
    given("parity", line, Settings::SerialParity);
    given("stop-bits", line, Settings::SerialStopBits);
    if (parser.isSet(QStringLiteral("rts")))
        line.sendRts = true;
    if (parser.isSet(QStringLiteral("dtr")))
        line.sendDtr = true;
    const QString label = line.useUdp ? line.udpAddress + QLatin1Char(':') + line.udpPort : line.serialPort;
    if (label.isEmpty() || label == QLatin1String(":"))
        return fail(tr("没有连接: config.ini 中没有设置, 请用 --udp 或 --serial 指定"));
    parsed.targets.append(LinkTarget{label, line});
    return settingsFit();
}

bool CliParser::settingsFit()
{
    // The same check as the settings dialog's: a value from config.ini that is out of range (a port
    // of 70000, an address of 300) is refused, never wrapped into another port or instrument.
    for (const LinkTarget& target : parsed.targets) {
        const LinkSettings::Problem problem = target.settings.validate();
        if (!problem.ok())
            return fail(settingProblemText(problem));
    }
    return true;
}

bool CliParser::readCommand(QCommandLineParser& parser)
{
    const QString& command = parsed.command;
    const QStringList positional = parser.positionalArguments().mid(1);
    const bool takesFile = command == QLatin1String("write") || command == QLatin1String("flash");
    if (takesFile && positional.size() != 1)
        return fail(tr("子命令 %1 需要一个文件名").arg(command));
    if (!takesFile && !positional.isEmpty())
        return fail(tr("多余的参数: %1").arg(positional.join(QLatin1Char(' '))));
    if (takesFile)
        parsed.file = positional.first();

    if (command == QLatin1String("read")) {
        parsed.file = parser.value(QStringLiteral("csv"));
        // One file cannot hold the configurations of several instruments.
        if (!parsed.file.isEmpty() && parsed.targets.size() > 1)
            return fail(tr("--csv 只能用于一台仪器"));
    } else if (command == QLatin1String("write")) {
        parsed.dryRun = parser.isSet(QStringLiteral("dry-run"));
        parsed.changedOnly = parser.isSet(QStringLiteral("changed-only"));
        parsed.skip = parser.values(QStringLiteral("skip"));
    } else if (command == QLatin1String("flash")) {
        parsed.allowDowngrade = parser.isSet(QStringLiteral("allow-downgrade"));
    } else if (command == QLatin1String("set-clock") && parser.isSet(QStringLiteral("time"))) {
        parsed.time = QDateTime::fromString(parser.value(QStringLiteral("time")), Qt::ISODate);
        if (!parsed.time.isValid())
            return fail(tr("无效的时间: %1 (应为 ISO 格式, 如 2024-05-01T08:30:00)").arg(parser.value(QStringLiteral("time"))));
    } else if (command == QLatin1String("history")) {
        parsed.from = QDate::fromString(parser.value(QStringLiteral("from")), Qt::ISODate);
        parsed.to = QDate::fromString(parser.value(QStringLiteral("to")), Qt::ISODate);
        if (!parsed.from.isValid() || !parsed.to.isValid())
            return fail(tr("history 需要 --from 和 --to 日期 (yyyy-MM-dd)"));
        if (parsed.from > parsed.to)
            return fail(tr("起始日期晚于结束日期"));
        parsed.file = parser.value(QStringLiteral("csv"));
        parsed.pdfFile = parser.value(QStringLiteral("pdf"));
        parsed.summary = parser.isSet(QStringLiteral("summary"));
        const QString format = parser.value(QStringLiteral("csv-format"));
        if (format != QLatin1String("lines") && format != QLatin1String("table"))
            return fail(tr("无效的 CSV 格式: %1 (应为 lines 或 table)").arg(format));
        parsed.tableCsv = format == QLatin1String("table");
    } else if (command == QLatin1String("monitor")) {
        parsed.debug = parser.isSet(QStringLiteral("debug"));
        const bool hex = parser.isSet(QStringLiteral("hex"));
        const bool both = parser.isSet(QStringLiteral("both"));
        if (hex && both)
            return fail(tr("--hex 与 --both 不能同时使用"));
        parsed.display = both ? CliOptions::Both : hex ? CliOptions::Hex : CliOptions::Text;
        if (parser.isSet(QStringLiteral("seconds"))
            && !toInt(parser.value(QStringLiteral("seconds")), 1, 86400 * 365, &parsed.seconds))
            return fail(tr("无效的秒数: %1").arg(parser.value(QStringLiteral("seconds"))));
    } else if (command == QLatin1String("search")) {
        int port = 0;
        if (!toInt(parser.value(QStringLiteral("port")), 1, 65535, &port))
            return fail(tr("无效的端口: %1").arg(parser.value(QStringLiteral("port"))));
        parsed.probePort = quint16(port);
        if (!toInt(parser.value(QStringLiteral("wait")), 1, 600000, &parsed.waitMs))
            return fail(tr("无效的毫秒数: %1").arg(parser.value(QStringLiteral("wait"))));
        for (const QString& address : parser.values(QStringLiteral("to"))) {
            const QHostAddress destination(address);
            if (destination.isNull())
                return fail(tr("无效的地址: %1").arg(address));
            parsed.destinations.append(destination);
        }
    }
    return true;
}
