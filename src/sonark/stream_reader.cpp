#include "stream_reader.h"

#include "stream_worker.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>

namespace sonark {

using Shared = detail::StreamShared;

StreamReader::StreamReader(std::string address, Options options, std::function<void()> wakeup)
    : shared_(std::make_shared<Shared>())
{
    shared_->ring.resize(std::max<std::size_t>(options.bufferBytes, 1));
    shared_->wakeup = std::move(wakeup);
    try {
        worker_ = std::thread([shared = shared_, address = std::move(address), options]() mutable {
            detail::runStreamWorker(std::move(shared), std::move(address), options);
        });
    } catch (const std::system_error &e) {
        shared_->status = Status::Failed;
        shared_->error = std::string("Cannot start the stream reader: ") + e.what();
        shared_->done = true;
    }
}

StreamReader::~StreamReader()
{
    shared_->cancel.store(true);
    {
        // Taking the lock orders the flag before a worker that is about to wait.
        std::lock_guard lock(shared_->mutex);
    }
    shared_->spaceFreed.notify_all();
    {
        // Waits out a callback in progress; none can start afterwards.
        std::lock_guard lock(shared_->wakeupMutex);
        shared_->wakeup = nullptr;
    }
    bool done;
    {
        std::unique_lock lock(shared_->mutex);
        done = shared_->workerDone.wait_for(lock, std::chrono::milliseconds(200), [&] { return shared_->done; });
    }
    if (worker_.joinable()) {
        if (done)
            worker_.join();
        else
            worker_.detach();  // stuck in getaddrinfo; it owns its share of the state
    }
}

std::size_t StreamReader::read(void *buffer, std::size_t size)
{
    std::size_t copied = 0;
    {
        std::lock_guard lock(shared_->mutex);
        auto &ring = shared_->ring;
        auto *out = static_cast<unsigned char *>(buffer);
        while (copied < size && shared_->used > 0) {
            const std::size_t n = std::min({size - copied, shared_->used, ring.size() - shared_->head});
            std::memcpy(out + copied, ring.data() + shared_->head, n);
            shared_->head = (shared_->head + n) % ring.size();
            shared_->used -= n;
            shared_->consumed += n;
            copied += n;
        }
    }
    if (copied > 0)
        shared_->spaceFreed.notify_all();
    return copied;
}

StreamReader::Status StreamReader::status() const
{
    std::lock_guard lock(shared_->mutex);
    if (shared_->status != Status::Connecting && shared_->used > 0)
        return Status::Streaming;
    return shared_->status;
}

std::string StreamReader::error() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->error;
}

std::string StreamReader::streamTitle() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->title;
}

bool StreamReader::failedForGood() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->failedForGood;
}

bool StreamReader::takeStreamTitle(std::string &title)
{
    std::lock_guard lock(shared_->mutex);
    auto &titles = shared_->titles;
    bool taken = false;
    while (!titles.empty() && titles.front().first <= shared_->consumed) {
        title = std::move(titles.front().second);
        titles.pop_front();
        taken = true;
    }
    return taken;
}

bool StreamReader::isLive() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->live;
}

std::string StreamReader::stationList() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->stationList;
}

std::string StreamReader::contentType() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->contentType;
}

}  // namespace sonark
