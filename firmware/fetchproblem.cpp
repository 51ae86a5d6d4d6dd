#include "firmware/fetchproblem.h"

#include "firmware/cataloguepage.h"

#include <QUrl>

DownloadProblem pageFetchProblem(const HttpFetch& fetch, HttpFetch::Outcome outcome, qint64 idleTimeoutMs)
{
    using F = DownloadFailure;
    switch (outcome) {
    case HttpFetch::Finished:
    case HttpFetch::Stopped:
        return {};
    case HttpFetch::TimedOut:
        return {F::PageStalled, QString(), idleTimeoutMs};
    case HttpFetch::Overdue:
        return {F::PageOverdue, QString(), fetch.deadlineUsedMs()};
    case HttpFetch::Failed:
        break;
    }
    switch (fetch.failure()) {
    case HttpFetch::Untrusted:
        return {F::PageUntrusted, fetch.errorText(), 0};
    case HttpFetch::HeadTooLarge:
        return {F::PageHeadTooLarge, QString(), 0};
    case HttpFetch::BadReply:
    case HttpFetch::CorruptEncoding:
        return {F::PageBadReply, QString(), 0};
    case HttpFetch::UnknownEncoding:
        return {F::PageUnknownCoding, fetch.errorText(), 0};
    default:
        // No answer, an error status, a redirect away: no catalogue in what came.
        return {F::PageUnreadable, QString(), 0};
    }
}

DownloadProblem fileFetchProblem(const HttpFetch& fetch, HttpFetch::Outcome outcome, qint64 idleTimeoutMs)
{
    using F = DownloadFailure;
    switch (outcome) {
    case HttpFetch::Finished:
    case HttpFetch::Stopped:
        return {};
    case HttpFetch::TimedOut:
        return {F::Stalled, QString(), idleTimeoutMs};
    case HttpFetch::Overdue:
        return {F::Overdue, QString(), fetch.deadlineUsedMs()};
    case HttpFetch::Failed:
        break;
    }
    switch (fetch.failure()) {
    case HttpFetch::HeadTooLarge:
        return {F::HeadTooLarge, QString(), 0};
    case HttpFetch::CorruptEncoding:
        return {F::BadReply, QString(), 0};
    case HttpFetch::BadReply:
        // A reply cut before its announced end is an incomplete file, as it always was.
        return {fetch.status() > 0 ? F::Incomplete : F::BadReply, QString(), 0};
    case HttpFetch::UnknownEncoding:
        return {F::UnknownCoding, fetch.errorText(), 0};
    case HttpFetch::ServerError:
        // The status as the server gave it: protocol words, not a sentence of ours.
        return {F::NetworkError,
                QStringLiteral("HTTP %1 %2")
                    .arg(fetch.status())
                    .arg(plainDisplayText(QString::fromLatin1(fetch.reason())))
                    .trimmed(),
                0};
    case HttpFetch::RedirectRefused: {
        const QUrl target = fetch.redirectTarget();
        const QString scheme = target.scheme().toLower();
        const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
        return {web ? F::LinkNotEncrypted : F::LinkNotWeb, target.toString(), 0};
    }
    default:
        return {F::NetworkError, fetch.errorText(), 0};
    }
}
