#include "monitor/receivedbytes.h"

bool ReceivedBytes::put(Entry entry)
{
    std::lock_guard<std::mutex> lock(mutex);
    bytes += entry.bytes.size();
    entries.push_back(std::move(entry));
    // One wake for any number of pieces: the reader takes them all at once.
    const bool wake = !wakeSent;
    wakeSent = true;
    return wake;
}

std::vector<ReceivedBytes::Entry> ReceivedBytes::takeAll()
{
    std::vector<Entry> taken;
    std::lock_guard<std::mutex> lock(mutex);
    taken.swap(entries);
    bytes = 0;
    wakeSent = false;
    return taken;
}

qint64 ReceivedBytes::waitingBytes() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return bytes;
}

void ReceivedBytes::clear()
{
    takeAll();
}
