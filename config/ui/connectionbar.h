#pragma once

#include "config/configoutcome.h"
#include "config/ui/elidedlabel.h"
#include "settings/linksettings.h"

#include <QElapsedTimer>
#include <QTime>

class QTimer;

// The status bar's permanent note of the link: transport and target, device address, and what
// the last contact with the instrument gave. In a narrow window its middle gives way, so that the
// target and the last contact stay in sight.
class ConnectionBar : public ElidedLabel
{
    Q_OBJECT
public:
    explicit ConnectionBar(QWidget* parent = nullptr);

    static constexpr int WaitShownAfterMs = 200;

    // A link other than the one shown forgets the last contact.
    void showLink(const LinkSettings& link);
    // An invalid time is now. Contact ends a wait.
    void showContact(LinkContact contact, const QTime& at = QTime());
    // An operation waits for the instrument: "等待应答…" with the seconds it has waited, instead of
    // an earlier contact that may no longer be true, until contact comes or the wait ends.
    void showWaiting();
    // The wait ended without contact (the link did not open, or it was stopped): the earlier
    // contact shows again.
    void endWaiting();
    bool isWaiting() const { return waiting; }

    LinkContact contact() const { return lastContact; }
    // The link shown, as describeTarget() gives it; empty before one is shown.
    QString target() const { return hasLink ? describeTarget(link) : QString(); }
    // "UDP 127.0.0.1:5000" or "/dev/ttyUSB0 9600 8N1".
    static QString describeTarget(const LinkSettings& link);

protected:
    void changeEvent(QEvent* event) override;

private:
    void render();

    LinkSettings link;
    bool hasLink = false;
    LinkContact lastContact = LinkContact::NotTried;
    QTime contactTime;
    bool waiting = false;
    bool waitShown = false; // the wait is in the text
    QElapsedTimer waitClock;
    QTimer* waitTick;
};
