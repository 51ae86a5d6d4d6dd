#pragma once

#include "link/linkerror.h"

#include <QByteArray>

// What LinkChannel::receiveStream feeds: asked before every chunk whether to go on.
class DDataReceiver
{
public:
    virtual ~DDataReceiver() = default;
    virtual bool isStopped() = 0;
    virtual void onData(const QByteArray& chunk) = 0;
    // The stream failed: the request did not go out, or its first bytes did not come in time.
    virtual void onFailure(LinkError error) = 0;
};
