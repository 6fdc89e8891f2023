#include "album/entry_builder.h"

#include "album/photo_loader.h"
#include "common/byte_source.h"
#include "common/processors.h"
#include "common/ui_service.h"
#include "common/worker_pool.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/metadata/upright_step.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace lv::album {
namespace {

void explainNotLoaded(const std::string& path, BuiltEntry& built)
{
    built.failure = FileSource::Open(path, &built.cause) ? PhotoFailure::Unreadable : PhotoFailure::CannotOpen;
}

struct Slot {
    BuiltEntry built;
    std::vector<HeldMessage> messages;
    bool ready = false;
    bool buildHere = false;  // left to the calling thread
};

}  // namespace

void HoldingService::showMessage(std::string_view text, std::string_view title, ui::Icon icon)
{
    held_.push_back({std::string(text), std::string(title), icon});
}

ui::Answer HoldingService::ask(std::string_view, std::string_view, ui::Buttons buttons, ui::Icon)
{
    return buttons == ui::Buttons::Ok || buttons == ui::Buttons::OkCancel ? ui::Answer::Ok : ui::Answer::Yes;
}

BuiltEntry BuildPhotoEntry(const EntryLabel& label, const DocumentReaders& readers)
{
    BuiltEntry built;
    // The sampling reads the grid as stored; a turned photo is read whole and turned upright.
    if (GeneralReaderTakesAsJpeg(label.path) && ReadFileMetadata(label.path).orientation == 1) {
        const SampledPixels samples = ReadJpegSamples(label.path, ThumbnailGrid);
        if (samples.code == ReadCode::Image) {
            built.entry = BuildEntryFromSamples(samples, 24, label);
            if (samples.truncated)
                built.damage = {FileProblem::Truncated, {}};
            if (built.entry)
                return built;
        }
        // Anything else goes the long way, which gives the designed failure.
    }
    // A camera raw file's thumbnail comes from the preview it embeds, its size from the raw.
    if (IsCameraRawExtension(DispatchExtension(label.path))) {
        const ReadResult preview = ReadCameraRawPreview(label.path);
        if (preview.ok() && (built.entry = BuildEntry(preview.image(), label))) {
            if (preview.facts().wholeWidth > 0) {
                built.entry->setWidth(std::uint16_t(std::min(preview.facts().wholeWidth, 65535)));
                built.entry->setHeight(std::uint16_t(std::min(preview.facts().wholeHeight, 65535)));
            }
            return built;
        }
    }
    ReadResult photo = LoadPhotoForAlbum(label.path, readers);
    if (!photo.ok()) {
        explainNotLoaded(label.path, built);
        return built;
    }
    built.entry = BuildEntry(photo.image(), label);
    if (!built.entry)
        built.failure = PhotoFailure::Unreadable;
    built.damage = photo.failure();
    return built;
}

unsigned DefaultJobs()
{
    return unsigned(ProcessorCount());
}

void BuildPhotoEntries(const std::vector<EntryLabel>& labels, const DocumentReaders& readers, unsigned jobs,
                       const EntryConsumer& consume, const StopRequest& stop)
{
    const auto stopped = [&stop] { return stop && stop(); };
    if (jobs == 0)
        jobs = DefaultJobs();
    jobs = unsigned(std::min<std::size_t>(jobs, labels.size()));
    if (jobs <= 1) {
        for (std::size_t i = 0; i < labels.size() && !stopped(); ++i)
            consume(i, BuildPhotoEntry(labels[i], readers));
        return;
    }

    std::vector<Slot> slots(labels.size());
    std::mutex mutex;
    std::condition_variable readyChanged;
    std::size_t nextToBuild = 0;
    bool stopping = false;
    // Workers stay at most this far ahead of the consumer, so memory stays bounded.
    const std::size_t window = std::size_t(jobs) * 4;
    std::size_t consumed = 0;

    const auto work = [&] {
        HoldingService service;
        ui::ScopedThreadService quiet(service);
        for (;;) {
            std::size_t index;
            {
                std::unique_lock lock(mutex);
                readyChanged.wait(lock, [&] { return stopping || nextToBuild >= labels.size() || nextToBuild < consumed + window; });
                if (stopping || nextToBuild >= labels.size())
                    return;
                index = nextToBuild++;
            }
            const bool here = !SafeOnWorkerThreads(labels[index].path);
            service.take();
            BuiltEntry built = here ? BuiltEntry{} : BuildPhotoEntry(labels[index], readers);
            std::lock_guard lock(mutex);
            slots[index].built = std::move(built);
            slots[index].messages = service.take();
            slots[index].buildHere = here;
            slots[index].ready = true;
            readyChanged.notify_all();
        }
    };
    WorkerGroup workers;
    unsigned started = 0;
    for (unsigned j = 0; j < jobs; ++j)
        started += workers.start(work) ? 1 : 0;
    if (started == 0) {
        for (std::size_t i = 0; i < labels.size() && !stopped(); ++i)
            consume(i, BuildPhotoEntry(labels[i], readers));
        return;
    }

    const auto stopWorkers = [&] {
        std::lock_guard lock(mutex);
        stopping = true;
        readyChanged.notify_all();
    };
    try {
        for (std::size_t i = 0; i < labels.size() && !stopped(); ++i) {
            Slot slot;
            {
                std::unique_lock lock(mutex);
                readyChanged.wait(lock, [&] { return slots[i].ready; });
                slot = std::move(slots[i]);
                consumed = i + 1;
                readyChanged.notify_all();
            }
            for (const HeldMessage& m : slot.messages)
                ui::Current().showMessage(m.text, m.title, m.icon);
            consume(i, slot.buildHere ? BuildPhotoEntry(labels[i], readers) : std::move(slot.built));
        }
    } catch (...) {
        stopWorkers();
        throw;
    }
    stopWorkers();
}

}  // namespace lv::album
