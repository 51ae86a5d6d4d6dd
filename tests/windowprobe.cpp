// Loaded into an installed assistant by tst_install (through LD_PRELOAD), which cannot reach into
// another process's widgets otherwise: once the event loop runs, it writes what the main window
// shows to the file named by ZQ_PROBE_OUTPUT, then closes the window as an operator would, so the
// assistant stores its settings and ends. Without that variable it does nothing.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

namespace {

// The window appears before the event loop runs; the bound only keeps a broken start from hanging.
const int attemptsLeftAtStart = 200;
const int attemptIntervalMs = 25;

QMainWindow* shownMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (window && window->isVisible())
            return window;
    }
    return nullptr;
}

void report(const QString& path, int attemptsLeft)
{
    QMainWindow* window = shownMainWindow();
    if (!window && attemptsLeft > 0) {
        QTimer::singleShot(attemptIntervalMs, qApp, [path, attemptsLeft] { report(path, attemptsLeft - 1); });
        return;
    }
    QStringList lines;
    lines << QStringLiteral("folder=") + QDir::currentPath();
    if (window) {
        lines << QStringLiteral("title=") + window->windowTitle();
        for (QAction* menu : window->menuBar()->actions())
            lines << QStringLiteral("menu=") + menu->text();
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    file.close();
    if (window)
        window->close();
    else
        QCoreApplication::exit(3);
}

void startProbe()
{
    const QString path = QString::fromLocal8Bit(qgetenv("ZQ_PROBE_OUTPUT"));
    if (path.isEmpty())
        return;
    QMetaObject::invokeMethod(qApp, [path] { report(path, attemptsLeftAtStart); }, Qt::QueuedConnection);
}

}

Q_COREAPP_STARTUP_FUNCTION(startProbe)
