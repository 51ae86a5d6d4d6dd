// zq-package: writes a firmware package (.zqbin) from an image file and the device, model and
// version texts, so that makers, the demo and the tests produce packages the assistant reads.
#include "firmware/dencryptinfo.h"
#include "firmware/ddbserver.h"
#include "firmware/packagewriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zq-package"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a ZQ firmware package: IMAGE (the raw firmware bytes) with the device, model and "
        "version texts, into OUTPUT (a file whose name ends in .zqbin, the ending the assistant's file dialog lists). The model must be the one the "
        "instrument names when asked for its identity."));
    parser.addHelpOption();
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Device name shown to the operator."), QStringLiteral("TEXT"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Model the instrument must name (required, not empty)."), QStringLiteral("TEXT"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Firmware version shown to the operator."), QStringLiteral("TEXT"));
    parser.addOptions({device, model, version});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The firmware image file."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("The package file to write (replaced if present)."));
    parser.process(application);

    QTextStream err(stderr);
    err.setCodec("UTF-8");
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        err << "zq-package: give IMAGE and OUTPUT; see --help\n";
        return 2;
    }
    if (parser.value(model).isEmpty()) {
        err << "zq-package: --model is required and may not be empty\n";
        return 2;
    }
    QFile imageFile(files.at(0));
    if (!imageFile.open(QIODevice::ReadOnly)) {
        err << "zq-package: " << files.at(0) << ": " << imageFile.errorString() << "\n";
        return 1;
    }
    const QByteArray image = imageFile.readAll();
    if (image.isEmpty()) {
        err << "zq-package: " << files.at(0) << " is empty; the instrument cannot be given an empty image\n";
        return 1;
    }

    const QString error = PackageWriter::write(
        files.at(1), PackageWriter::fields(parser.value(device), parser.value(model), parser.value(version), image));
    if (!error.isEmpty()) {
        err << "zq-package: " << files.at(1) << ": " << error << "\n";
        return 1;
    }

    // Read it back the way the assistant will, so a package that leaves here is known to open.
    DEncryptInfo check;
    check.filePath = files.at(1);
    const PackageRead read = DDbServer().readPackage(check);
    if (read != PackageRead::Ok || check.image() != image) {
        err << "zq-package: " << files.at(1) << " does not read back (" << int(read) << ")\n";
        return 1;
    }
    QTextStream(stdout) << files.at(1) << ": " << image.size() << " image bytes\n";
    return 0;
}
