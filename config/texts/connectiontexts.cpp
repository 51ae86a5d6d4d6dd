#include "config/texts/connectiontexts.h"

#include "link/hexdump.h"
#include "link/texts/linktexts.h"

#include <QCoreApplication>

// The texts keep the context of the test's former worker class, and with it their translations.
namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("ConfigWorker", source);
}

// A box shows at most this many bytes of a malformed reply.
constexpr int ShownReplyBytes = 64;

} // namespace

ConfigOutcome connectionTestOutcome(const ConnectionTest& test)
{
    const QString title = text(QT_TRANSLATE_NOOP("ConfigWorker", "测试连接"));
    ConfigOutcome outcome;
    switch (test.result) {
    case ConnectionTest::Result::Stopped:
        outcome.ok = false;
        outcome.cancelled = true;
        outcome.status = text(QT_TRANSLATE_NOOP("ConfigWorker", "测试连接已取消"));
        return outcome;
    case ConnectionTest::Result::CannotOpen:
        return ConfigOutcome::failure(title, linkOpenFailureText(test.open), ConfigFailure::CannotOpen,
                                      LinkError::CannotOpen);
    case ConnectionTest::Result::Failed:
        outcome = ConfigOutcome::linkFailure(title, test.link);
        break;
    case ConnectionTest::Result::BadReply:
        outcome = ConfigOutcome::failure(title,
                                         text(QT_TRANSLATE_NOOP("ConfigWorker", "设备应答了, 但应答无效: %1"))
                                             .arg(QString::fromLatin1(hexDump(test.reply.left(ShownReplyBytes)))));
        break;
    case ConnectionTest::Result::Answered:
        outcome.addInformation(title,
                               text(QT_TRANSLATE_NOOP("ConfigWorker", "设备已应答, 用时 %1 ms")).arg(test.elapsedMs));
        break;
    }
    outcome.contact = test.contact;
    return outcome;
}
