// zq-simulator: a simulated ZQ instrument on UDP and/or a pseudo-terminal, for trying the assistant
// without hardware. It binds only the addresses it is given (loopback by default).
#include "sim/downloadserver.h"
#include "sim/faultoption.h"
#include "sim/instrumentsimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <csignal>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

bool parseEndpoint(const QString& text, QHostAddress* address, quint16* port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (colon < 0 || !ok || number > 65535)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    *port = quint16(number);
    return address->setAddress(host);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zq-simulator"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated ZQ instrument. Prints where it listens, then answers until interrupted."));
    parser.addHelpOption();
    const QCommandLineOption udp(QStringLiteral("udp"), QStringLiteral("Listen for link requests on ADDRESS:PORT (default 127.0.0.1:5000 when --pty is not given)."), QStringLiteral("ADDRESS:PORT"));
    const QCommandLineOption pty(QStringLiteral("pty"), QStringLiteral("Open a pseudo-terminal and print its slave path."));
    const QCommandLineOption ptyLink(QStringLiteral("pty-link"), QStringLiteral("Place a symbolic link to the pseudo-terminal's slave at PATH (implies --pty)."), QStringLiteral("PATH"));
    const QCommandLineOption probePort(QStringLiteral("probe-port"), QStringLiteral("Answer the search probe on this UDP port of the link address (default 1500; 0: off)."), QStringLiteral("PORT"), QStringLiteral("1500"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("Display name sent to the search probe (default: the item 设备名称)."), QStringLiteral("TEXT"));
    const QCommandLineOption items(QStringLiteral("items"), QStringLiteral("Load the configuration items from FILE (UTF-8, one per line)."), QStringLiteral("FILE"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Device address, 1..255 (default 255)."), QStringLiteral("N"), QStringLiteral("255"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Model named to the firmware loader (default: the item 设备型号)."), QStringLiteral("TEXT"));
    const QCommandLineOption debugInterval(QStringLiteral("debug-interval"), QStringLiteral("Milliseconds between debug lines (default 300)."), QStringLiteral("MS"), QStringLiteral("300"));
    const QCommandLineOption debugRate(QStringLiteral("debug-rate"), QStringLiteral("Debug lines a second, overriding --debug-interval (0: as fast as the link takes them)."), QStringLiteral("N"));
    const QCommandLineOption debugCount(QStringLiteral("debug-count"), QStringLiteral("Stop the debug output after N lines each time it is switched on (default: never)."), QStringLiteral("N"));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("Pace the pseudo-terminal like a serial line of N baud, 8N1, both ways (default 0: unpaced)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption http(QStringLiteral("http"), QStringLiteral("Serve the download page /down.html and two packages for the model on ADDRESS:PORT (http, loopback only is wise)."), QStringLiteral("ADDRESS:PORT"));
    const QCommandLineOption httpFault(QStringLiteral("http-fault"), QStringLiteral("Make the download server misbehave: no-length, cut-short, not-found, stall, not-xml, other-structure, duplicates, endless, drip or huge-length."), QStringLiteral("KIND"));
    const QCommandLineOption historyRecords(QStringLiteral("history-records"), QStringLiteral("Answer a history query with N records spread over its range (default 0: 24 a day)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption historyChunk(QStringLiteral("history-chunk"), QStringLiteral("Bytes per history chunk (default 256)."), QStringLiteral("BYTES"), QStringLiteral("256"));
    const QCommandLineOption historyInterval(QStringLiteral("history-interval"), QStringLiteral("Milliseconds between history chunks (default 20)."), QStringLiteral("MS"), QStringLiteral("20"));
    const QCommandLineOption fault(QStringLiteral("fault"), faultOptionHelp(), QStringLiteral("FAULT"));
    parser.addOptions({udp, pty, ptyLink, probePort, name, items, address, model, debugInterval, debugRate, debugCount, fault, baud, http, httpFault, historyRecords, historyChunk, historyInterval});
    parser.process(application);

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");

    InstrumentSimulator simulator;
    bool ok = false;
    const uint deviceAddress = parser.value(address).toUInt(&ok);
    if (!ok || deviceAddress < 1 || deviceAddress > 255) {
        err << "zq-simulator: --address takes 1..255\n";
        return 2;
    }
    simulator.setDeviceAddress(quint8(deviceAddress));
    if (parser.isSet(items)) {
        QString error;
        if (!simulator.loadItems(parser.value(items), &error)) {
            err << "zq-simulator: " << parser.value(items) << ": " << error << "\n";
            return 1;
        }
    }
    if (parser.isSet(model))
        simulator.setModel(parser.value(model));
    simulator.setDebugInterval(parser.value(debugInterval).toInt());
    if (parser.isSet(debugRate)) {
        const double rate = parser.value(debugRate).toDouble(&ok);
        if (!ok || rate < 0) {
            err << "zq-simulator: --debug-rate takes a number of lines a second, 0 or more\n";
            return 2;
        }
        simulator.setDebugRate(rate);
    }
    if (parser.isSet(debugCount)) {
        const int count = parser.value(debugCount).toInt(&ok);
        if (!ok || count < 0) {
            err << "zq-simulator: --debug-count takes a number of lines, 0 or more\n";
            return 2;
        }
        simulator.setDebugLineCount(count);
    }
    for (const QString& text : parser.values(fault)) {
        InstrumentSimulator::Fault parsed;
        QString error;
        if (!parseFaultOption(text, &parsed, &error)) {
            err << "zq-simulator: --fault " << text << ": " << error << "\n";
            return 2;
        }
        simulator.addFault(parsed);
    }
    const int lineRate = parser.value(baud).toInt(&ok);
    if (!ok || lineRate < 0) {
        err << "zq-simulator: --baud takes a rate in baud, for example 115200\n";
        return 2;
    }
    simulator.setLineRate(lineRate);
    const int recordCount = parser.value(historyRecords).toInt(&ok);
    if (!ok || recordCount < 0) {
        err << "zq-simulator: --history-records takes a count, 0 or more\n";
        return 2;
    }
    simulator.setHistoryRecordCount(recordCount);
    simulator.setHistoryPace(24, parser.value(historyChunk).toInt(), parser.value(historyInterval).toInt());

    const bool wantPty = parser.isSet(pty) || parser.isSet(ptyLink);
    if (parser.isSet(udp) || !wantPty) {
        QHostAddress host(QHostAddress::LocalHost);
        quint16 port = 5000;
        if (parser.isSet(udp) && !parseEndpoint(parser.value(udp), &host, &port)) {
            err << "zq-simulator: --udp takes ADDRESS:PORT, for example 127.0.0.1:5000\n";
            return 2;
        }
        if (!simulator.listenUdp(host, port)) {
            err << "zq-simulator: UDP " << host.toString() << ":" << port << ": " << simulator.errorString() << "\n";
            return 1;
        }
        out << "UDP " << host.toString() << ":" << simulator.udpPort() << "\n";

        const uint probe = parser.value(probePort).toUInt(&ok);
        if (!ok || probe > 65535) {
            err << "zq-simulator: --probe-port takes 0..65535\n";
            return 2;
        }
        if (probe != 0) {
            QString displayName = parser.value(name);
            if (displayName.isEmpty())
                for (const QString& item : simulator.items())
                    if (item.startsWith(QStringLiteral("设备名称:")))
                        displayName = item.section(QLatin1Char(':'), 1);
            if (!simulator.listenProbe(host, quint16(probe), displayName)) {
                err << "zq-simulator: probe " << host.toString() << ":" << probe << ": " << simulator.errorString() << "\n";
                return 1;
            }
            out << "PROBE " << host.toString() << ":" << simulator.probePort() << "\n";
        }
    }
    if (wantPty) {
        if (!simulator.openPty(parser.value(ptyLink))) {
            err << "zq-simulator: " << simulator.errorString() << "\n";
            return 1;
        }
        out << "PTY " << simulator.ptyPath() << "\n";
        if (parser.isSet(ptyLink))
            out << "LINK " << parser.value(ptyLink) << "\n";
    }
    DownloadServer downloads;
    if (parser.isSet(http)) {
        QHostAddress host;
        quint16 port = 0;
        const QMap<QString, DownloadServer::Misbehaviour> faults{
            {QStringLiteral("no-length"), DownloadServer::NoContentLength}, {QStringLiteral("cut-short"), DownloadServer::CutShort},
            {QStringLiteral("not-found"), DownloadServer::NotFound}, {QStringLiteral("stall"), DownloadServer::Stall},
            {QStringLiteral("not-xml"), DownloadServer::PageNotXml}, {QStringLiteral("other-structure"), DownloadServer::PageOtherStructure},
            {QStringLiteral("duplicates"), DownloadServer::DuplicateNames}, {QStringLiteral("endless"), DownloadServer::Endless},
            {QStringLiteral("drip"), DownloadServer::Drip}, {QStringLiteral("huge-length"), DownloadServer::HugeLength}};
        if (!parseEndpoint(parser.value(http), &host, &port)) {
            err << "zq-simulator: --http takes ADDRESS:PORT, for example 127.0.0.1:8080\n";
            return 2;
        }
        if (parser.isSet(httpFault) && !faults.contains(parser.value(httpFault))) {
            err << "zq-simulator: --http-fault takes one of " << QStringList(faults.keys()).join(QStringLiteral(", ")) << "\n";
            return 2;
        }
        downloads.setMisbehaviour(faults.value(parser.value(httpFault), DownloadServer::Behave));
        QString error;
        if (!downloads.addPackages(simulator.model(), &error) || !downloads.listen(host, port)) {
            err << "zq-simulator: HTTP " << parser.value(http) << ": " << (error.isEmpty() ? downloads.errorString() : error) << "\n";
            return 1;
        }
        out << "HTTP " << downloads.pageUrl() << "\n";
    }
    out.flush();

    // Ctrl-C or a kill ends the event loop normally, so the symbolic link is removed.
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &application, [] {
        if (stopRequested)
            QCoreApplication::quit();
    });
    watch.start(100);
    return application.exec();
}
