#include "app/contactwatch.h"

#include "config/ui/connectionbar.h"
#include "prompt/prompter.h"

#include <QDialog>
#include <QTimer>

void execWatchingContact(QDialog& dialog, ConnectionBar& bar, const std::function<LinkContact(bool&)>& heard)
{
    const auto look = [&] {
        bool waiting = false;
        const LinkContact contact = heard(waiting);
        if (contact != LinkContact::NotTried)
            bar.showContact(contact);
        else if (waiting && !bar.isWaiting())
            bar.showWaiting();
        else if (!waiting && bar.isWaiting())
            bar.endWaiting();
    };
    QTimer watch;
    watch.setInterval(250);
    QObject::connect(&watch, &QTimer::timeout, &bar, look);
    watch.start();
    Prompter::current().exec(dialog);
    watch.stop();
    look();
    bar.endWaiting();
}
