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
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
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
