// zq-cli: the assistant's operations on the command line, for production lines and service scripts.
#include "tools/zq-cli/cliapp.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zq-cli"));
    return runCli(QCoreApplication::arguments());
}
