// zq-cli: the assistant's operations on the command line, for production lines and service scripts.
#include "tools/zq-cli/cliapp.h"

int main(int argc, char* argv[])
{
    const auto application = makeCliApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zq-cli"));
    return runCli(QCoreApplication::arguments());
}
