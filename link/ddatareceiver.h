#pragma once

#include "link/linkerror.h"

#include <QByteArray>
#include <QString>

// What LinkChannel::receiveStream feeds: asked before every chunk whether to go on.
class DDataReceiver
{
public:
    virtual ~DDataReceiver() = default;
    virtual bool isStopped() = 0;
    virtual void onError(const QString& text) = 0;
    virtual void onData(const QByteArray& chunk) = 0;
    // A failure of the stream as a code; by default its text goes to onError.
    virtual void onFailure(LinkError error) { onError(linkErrorText(error)); }
};
