#include "tools/zq-cli/stopsignal.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> stopAsked{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void onSignal(int number)
{
    if (stopAsked.exchange(true)) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    }
}

void handle(int number, void (*handler)(int))
{
#ifdef _WIN32
    // Windows has no sigaction; its C runtime calls the handler for Ctrl-C on a thread of its own
    // and puts the default back first, so a second Ctrl-C ends the program as it does here.
    std::signal(number, handler);
#else
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
#endif
}

} // namespace

void StopSignal::install()
{
    stopAsked = false;
    handle(SIGINT, &onSignal);
    handle(SIGTERM, &onSignal);
}

void StopSignal::restore()
{
    handle(SIGINT, SIG_DFL);
    handle(SIGTERM, SIG_DFL);
}

bool StopSignal::received()
{
    return stopAsked;
}
