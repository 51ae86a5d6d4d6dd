#pragma once

#include <atomic>
#include <memory>

// What an operation polls to learn that whoever started it wants it to end. A token is a cheap
// value that may be copied into the operation and down into the link or the HTTP fetch; a token
// made without a source never stops (zq-cli's one-shot commands, tests).
class StopToken
{
public:
    StopToken() = default;

    bool stopRequested() const { return flag_ && flag_->load(); }
    // For the waits that take a flag (the link channel, the HTTP fetch); null for a token that
    // never stops.
    const std::atomic<bool>* flag() const { return flag_.get(); }

private:
    friend class StopSource;
    explicit StopToken(std::shared_ptr<const std::atomic<bool>> flag) : flag_(std::move(flag)) { }

    // Shared, so a token that outlives its source (a report still queued) reads a valid flag.
    std::shared_ptr<const std::atomic<bool>> flag_;
};

// Held by whoever may stop an operation: the job runner, a dialog, zq-cli's signal handler.
class StopSource
{
public:
    StopSource() : flag_(std::make_shared<std::atomic<bool>>(false)) { }

    // Safe from any thread, and from a signal handler (a lock-free store).
    void request() { flag_->store(true); }
    // Forgets an earlier request, before the next operation starts.
    void reset() { flag_->store(false); }
    bool stopRequested() const { return flag_->load(); }
    StopToken token() const { return StopToken(flag_); }

private:
    std::shared_ptr<std::atomic<bool>> flag_;
};
