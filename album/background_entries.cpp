#include "album/background_entries.h"

namespace lv::album {

BackgroundEntryBuilder::BackgroundEntryBuilder(std::vector<EntryLabel> labels, DocumentReaders readers, unsigned jobs,
                                               Deliver deliver, Finished finished)
    : thread_([labels = std::move(labels), readers = std::move(readers), jobs, deliver = std::move(deliver),
               finished = std::move(finished)](std::stop_token stop) {
        // Messages shown here are the photo's; they travel with it.
        HoldingService service;
        ui::ScopedThreadService quiet(service);
        BuildPhotoEntries(
            labels, readers, jobs,
            [&](std::size_t index, BuiltEntry built) { deliver(index, std::move(built), service.take()); },
            [&stop] { return stop.stop_requested(); });
        if (finished)
            finished(stop.stop_requested());
    })
{
}

BackgroundEntryBuilder::~BackgroundEntryBuilder()
{
    thread_.request_stop();
}

}  // namespace lv::album
