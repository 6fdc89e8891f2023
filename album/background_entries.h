#pragma once
// Builds album entries away from the calling thread, so a window stays responsive while
// photos are read: the results come, in label order, to `deliver` on the builder's own
// thread, each with what the readers said about that photo; `finished` follows the last
// one, or a cancel. Only photos whose readers may run on worker threads belong here.

#include "album/entry_builder.h"

#include <functional>
#include <thread>
#include <vector>

namespace lv::album {

class BackgroundEntryBuilder {
public:
    using Deliver = std::function<void(std::size_t index, BuiltEntry built, std::vector<HeldMessage> messages)>;
    using Finished = std::function<void(bool cancelled)>;

    BackgroundEntryBuilder(std::vector<EntryLabel> labels, DocumentReaders readers, unsigned jobs, Deliver deliver,
                           Finished finished);
    // Cancels and waits for the threads.
    ~BackgroundEntryBuilder();
    BackgroundEntryBuilder(const BackgroundEntryBuilder&) = delete;
    BackgroundEntryBuilder& operator=(const BackgroundEntryBuilder&) = delete;

    // No photo is delivered after the one being built now.
    void cancel() { thread_.request_stop(); }

private:
    std::jthread thread_;
};

}  // namespace lv::album
