#pragma once

#include "config/configoutcome.h"
#include "config/ui/elidedlabel.h"
#include "settings/linksettings.h"

#include <QTime>

// The status bar's permanent note of the link: transport and target, device address, and what
// the last contact with the instrument gave. In a narrow window its middle gives way, so that the
// target and the last contact stay in sight.
class ConnectionBar : public ElidedLabel
{
    Q_OBJECT
public:
    explicit ConnectionBar(QWidget* parent = nullptr);

    // A link other than the one shown forgets the last contact.
    void showLink(const LinkSettings& link);
    // An invalid time is now.
    void showContact(LinkContact contact, const QTime& at = QTime());

    LinkContact contact() const { return lastContact; }
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
};
