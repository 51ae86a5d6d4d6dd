#pragma once

#include "firmware/dencryptinfo.h"
#include "jobs/stoptoken.h"
#include "link/linkerror.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>

class LinkChannel;

// Why an update run failed.
enum class UpdateFailure {
    None,
    BadPackage, // no image or no model: refused before anything was sent
    CannotOpen, // the link did not open
    NoIdentity, // the loader did not answer the identify request, twice
    WrongModel, // it named another model
    Declined, // the model fitted, but the caller chose not to go on (a downgrade, for one)
    Stopped, // asked to stop before anything was erased
    EraseFailed,
    PageFailed
};

// What is wrong with a package before anything is sent.
enum class PackageProblem {
    None,
    NoImage, // erasing for an empty image would leave the instrument without firmware
    NoModel // an empty model would pass any identify reply
};

// The steps of a run, in order.
enum class UpdateStage { Identifying, Erasing, Writing, Finishing };

struct UpdateOutcome;

// What a run reports while it goes on, called on the run's thread.
class UpdateSink
{
public:
    virtual ~UpdateSink() = default;
    // The step that begins now: Writing once per page (current counting from 1 of total);
    // Finishing, only after a whole transfer, with the seconds it may take in current.
    virtual void stage(UpdateStage stage, int current, int total);
    virtual void progress(int percent);
    // The instrument answered the identify request naming model; matches tells whether it is
    // the package's. Comes before the instrument is taken out of update mode after a refusal.
    virtual void identified(const QString& model, bool matches);
    // The model fits: whether to erase and write. May block until someone has decided; false
    // ends the run as Declined, nothing erased.
    virtual bool proceed(const QString& model);
    // The outcome, once it is known: a success after the finish sequence, a refusal or a failure
    // before the instrument is taken out of update mode (which may take its time).
    virtual void decided(const UpdateOutcome& outcome);
};

// How a run ended: codes and the values their texts need.
struct UpdateOutcome
{
    UpdateFailure failure = UpdateFailure::None;
    PackageProblem packageProblem = PackageProblem::None;
    LinkError link = LinkError::None; // whether the failing step went unanswered
    LinkOpenFailure open; // why the link did not open
    QString deviceModel; // as the identify reply named it
    bool erased = false; // EraseFlash went out: the old firmware may be gone
    int page = 0; // the page not acknowledged, counting from 1
    int pages = 0; // of the image
    bool ok() const { return failure == UpdateFailure::None; }
};

// Writes a package's image into the instrument's firmware loader: identify, check the model,
// erase announcing the size, then 1024-byte pages each acknowledged, then EndUpdate twice.
namespace FirmwareTransfer {

constexpr int DefaultExchangeMs = 10000;

// The whole run on a link of its own. A stop is heeded only until the erase: a flash that has
// begun is carried to its end. After a refusal or a stop the instrument is still sent EndUpdate
// twice, without waiting for an answer once stopped.
UpdateOutcome run(const LinkSettings& link, const DEncryptInfo& package, const StopToken& stop, UpdateSink& sink,
                  int exchangeTimeoutMs = DefaultExchangeMs);

PackageProblem problemOf(const DEncryptInfo& package);
// Whether the identify reply names exactly this model ("!Find MODEL OK", the '!' optional).
bool modelMatches(const QString& model, const QByteArray& reply);
// The model an identify reply names, or its text when it names none; bounded and printable.
QString modelOf(const QByteArray& reply);
constexpr int MaxShownModelLength = 40;
// Whether reply acknowledges a step. The loader's erase reply may differ around its "Erase OK"
// text; a page is acknowledged only by its own reply.
bool isAcknowledged(const QByteArray& reply, const QByteArray& expected, bool eraseStep);
// The longest the finish sequence may take.
inline int finishTimeoutMs(int exchangeTimeoutMs)
{
    return 2 * exchangeTimeoutMs;
}

} // namespace FirmwareTransfer
