#include "album/background_entries.h"

#include <algorithm>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace lv::album {
namespace {

// Below the window's thread: the workers this thread starts inherit it, so on a busy machine
// the window still gets the processor when it needs it (a Linux thread has its own nice value).
constexpr int kBackgroundNice = 10;

void LowerThisThreadsPriority()
{
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, thread, std::max(kBackgroundNice, ::getpriority(PRIO_PROCESS, thread)));
}

}  // namespace

BackgroundEntryBuilder::BackgroundEntryBuilder(std::vector<EntryLabel> labels, DocumentReaders readers, unsigned jobs,
                                               Deliver deliver, Finished finished)
    : thread_([labels = std::move(labels), readers = std::move(readers), jobs, deliver = std::move(deliver),
               finished = std::move(finished)](std::stop_token stop) {
        LowerThisThreadsPriority();
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
