#include "app/mainwindow.h"
#include "help/ui/helpkey.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Qt plug-ins may also sit beside the working directory.
    QCoreApplication::addLibraryPath(QStringLiteral("."));
    QCoreApplication::setAttribute(Qt::AA_DisableWindowContextHelpButton, true);
    QApplication application(argc, argv);
    HelpKey helpKey;
    application.installEventFilter(&helpKey);
    MainWindow window;
    window.show();
    return application.exec();
}
