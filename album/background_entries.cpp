#include "album/background_entries.h"

#include <pthread.h>
#include <sched.h>

namespace lv::album {
namespace {

// Batch scheduling: the same share of the processor, but the window's thread, which sleeps
// between events, is not kept waiting behind these when it wakes. The workers this thread
// starts inherit it.
void ScheduleAsBatchWork()
{
    sched_param none{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &none);
}

}  // namespace

BackgroundEntryBuilder::BackgroundEntryBuilder(std::vector<EntryLabel> labels, DocumentReaders readers, unsigned jobs,
                                               Deliver deliver, Finished finished)
    : thread_([labels = std::move(labels), readers = std::move(readers), jobs, deliver = std::move(deliver),
               finished = std::move(finished)](std::stop_token stop) {
        ScheduleAsBatchWork();
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
