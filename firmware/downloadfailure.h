#pragma once

#include <QMetaType>
#include <QString>

// Why a catalogue fetch or a package download failed, as a value. The worker reports the code
// with the few values its text needs; the window that shows it makes the text
// (firmware/ui/downloadtexts.h), so nothing judges a failure by its words.
enum class DownloadFailure {
    None,
    // The catalogue page
    PageUnreadable, // no catalogue in what came: an error status, no answer, another page
    PageTooLarge, // amount: the largest page taken, in bytes
    PageStalled, // amount: the idle time that ran out, in ms
    PageUntrusted, // the server's certificate was refused; detail: the network's words
    PageHeadTooLarge, // the reply's head was longer than 64 KiB or 100 lines
    PageOverdue, // amount: the whole request's time limit that ran out, in ms
    PageBadReply, // the server's reply was not HTTP, or broken
    PageUnknownCoding, // the reply was compressed in a way not understood; detail: the coding
    // A package
    LinkNotWeb, // not an http or https address; detail: the link
    LinkNotEncrypted, // a plain http link under an https page; detail: the link
    BadFileName, // detail: the name
    CannotOpenFile, // the file could not be created or completed; detail: the name
    TooLarge, // amount: the largest package taken, in bytes
    MoreThanAnnounced, // amount: the length the server announced, in bytes
    WriteFailed, // the disk refused the bytes; detail: its words
    Stalled, // amount: the idle time that ran out, in ms
    NetworkError, // detail: the network's words
    HeadTooLarge, // the reply's head was longer than 64 KiB or 100 lines
    Overdue, // amount: the whole request's time limit that ran out, in ms
    BadReply, // the server's reply was not HTTP, or broken
    UnknownCoding, // the reply was compressed in a way not understood; detail: the coding
    Incomplete // the reply ended short of its announced length, or announced none
};

// A failure with what its text shows besides the code.
struct DownloadProblem
{
    DownloadFailure failure = DownloadFailure::None;
    QString detail; // a link, a file name, or what the network or the disk said
    qint64 amount = 0; // bytes or milliseconds, as the code says
};
Q_DECLARE_METATYPE(DownloadFailure)
Q_DECLARE_METATYPE(DownloadProblem)
