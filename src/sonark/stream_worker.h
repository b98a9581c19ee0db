#pragma once

// The worker thread behind a StreamReader and the state the two share. The
// worker connects, follows redirects and fills the ring buffer until the
// stream ends, fails or the reader cancels it; an answer that is a station
// list is kept as text instead.

#include "stream_reader.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace sonark::detail {

struct StreamShared {
    mutable std::mutex mutex;
    std::condition_variable spaceFreed;  // the worker waits here while the buffer is full
    std::condition_variable workerDone;
    std::atomic<bool> cancel{false};

    // Ring buffer of audio bytes.
    std::vector<unsigned char> ring;
    std::size_t head = 0;
    std::size_t used = 0;

    StreamReader::Status status = StreamReader::Status::Connecting;
    std::string error;
    bool failedForGood = false;
    std::string title;
    // Titles not yet taken, each with the count of audio bytes before it:
    // a title is taken once the reader has read that far, with its music.
    std::deque<std::pair<std::uint64_t, std::string>> titles;
    std::uint64_t delivered = 0;  // audio bytes put into the ring so far
    std::uint64_t consumed = 0;   // and taken out of it
    std::string contentType;
    bool live = false;
    std::string stationList;
    bool done = false;

    // Separate lock so the callback never runs under `mutex` (the engine may
    // call read() from inside it) and so the destructor can wait out a call
    // in progress before returning.
    std::mutex wakeupMutex;
    std::function<void()> wakeup;

    void notify()
    {
        std::lock_guard lock(wakeupMutex);
        if (wakeup && !cancel.load())
            wakeup();
    }
};

// Runs until the stream is over, then sets `done`.
void runStreamWorker(std::shared_ptr<StreamShared> shared, std::string address, StreamReader::Options options);

}  // namespace sonark::detail
