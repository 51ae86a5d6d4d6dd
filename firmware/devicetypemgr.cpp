#include "firmware/devicetypemgr.h"

#include "firmware/fetchproblem.h"
#include "firmware/httpfetch.h"

CatalogueOutcome DeviceTypeMgr::fetch(const QUrl& page, const FetchTimes& times, const StopToken& stop)
{
    CatalogueOutcome outcome;
    QByteArray body;
    bool tooLarge = false;
    HttpFetch fetch;
    fetch.idleTimeoutMs = times.idleTimeoutMs;
    fetch.deadlineMs = times.deadlineMs;
    fetch.stopFlag = stop.flag();
    fetch.onData = [&](const QByteArray& chunk) {
        // The page is parsed whole, so it is held whole: an endless or inflating one ends here.
        if (body.size() + chunk.size() > MaxPageBytes) {
            tooLarge = true;
            return false;
        }
        body.append(chunk);
        return true;
    };
    const HttpFetch::Outcome result = fetch.get(page);
    if (result == HttpFetch::Stopped) {
        outcome.stopped = true;
        return outcome;
    }
    if (tooLarge) {
        outcome.problem = {DownloadFailure::PageTooLarge, QString(), MaxPageBytes};
        return outcome;
    }
    outcome.problem = pageFetchProblem(fetch, result, times.idleTimeoutMs);
    if (outcome.problem.failure != DownloadFailure::None)
        return outcome;
    // A page cut short simply fails to read, as does any page of another shape.
    if (!parseCatalogue(body, outcome.files, &outcome.details))
        outcome.problem = {DownloadFailure::PageUnreadable, QString(), 0};
    return outcome;
}
