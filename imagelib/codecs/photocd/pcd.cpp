#include "imagelib/codecs/photocd/pcd.h"

#include "common/ui_service.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

using namespace photocd;

constexpr int kMissingEntryPoint = 1;
constexpr std::int32_t kDefaultPixelsPerMetre = 7874;

struct Codes {
    int format;
    int resolution;
};

// The codes for the next read, after asking in the asking mode; nothing when cancelled.
std::optional<Codes> chooseCodes()
{
    const int mode = PhotoCdMode();
    if (mode == kPhotoCdBase)
        return Codes{kFormatColour, 3};
    if (mode != kPhotoCdAsk && mode != kPhotoCdStored)
        return Codes{kFormatColour, 1};
    if (mode == kPhotoCdAsk) {
        if (PhotoCdOptionsDialog* dialog = CurrentPhotoCdOptionsDialog()) {
            const auto chosen = dialog->offer(StoredPhotoCdChoices());
            if (!chosen)
                return std::nullopt;
            SetStoredPhotoCdChoices(*chosen);
        }
    }
    const PhotoCdChoices choices = StoredPhotoCdChoices();
    return Codes{choices.format == 1 ? kFormatGrey : kFormatColour, choices.resolution + 1};
}

struct CallbackState {
    bool cancelled = false;
};

bool abortCallback(void* data)
{
    auto* state = static_cast<CallbackState*>(data);
    if (AbortRequested())
        state->cancelled = true;
    return state->cancelled;
}

void progressCallback(int done, int total, void*)
{
    ReportProgress(kProgressReading, int(std::int64_t(done) * 100 / std::max(total, 1)));
}

template<typename Entry, typename... Args>
int call(Entry entry, Args&&... args)
{
    return entry ? entry(std::forward<Args>(args)...) : kMissingEntryPoint;
}

// The library's block made an ordinary picture: colour count, resolution, rows after the table.
ReadResult fixHeader(HDIB image)
{
    if (!image || image.size() < kDibHeaderSize)
        return ReadCode::Failure;
    BitmapInfoHeader& header = image.header();
    if (header.biBitCount == 24)
        header.biClrUsed = 0;
    else if (header.biClrUsed == 0 && header.biBitCount <= 8)
        header.biClrUsed = 1u << header.biBitCount;
    if (header.biXPelsPerMeter == 0)
        header.biXPelsPerMeter = header.biYPelsPerMeter = kDefaultPixelsPerMetre;
    if (header.biBitCount == 24) {
        const std::size_t rowBytes = image.stride() * std::size_t(std::max(image.height(), 0));
        if (image.size() < kDib8PixelOffset + rowBytes)
            return ReadCode::Failure;
        std::memmove(image.data() + kDibHeaderSize, image.data() + kDib8PixelOffset, rowBytes);
        if (!image.resize(kDibHeaderSize + rowBytes + kDibSpareBytes))
            return ReadCode::Failure;
    }
    if (!image.hasValidLayout())
        return ReadCode::Failure;
    return image;
}

}  // namespace

PhotoCdLibrary BuiltInPhotoCdLibrary()
{
    return {PCDrefOpen, PCDsetFormat, PCDsetResolution, PCDsetAbort, PCDsetProgress, PCDloadImage, PCDrefClose};
}

ReadResult ReadPhotoCd(ByteSource& file, const PhotoCdLibrary& library)
{
    const auto codes = chooseCodes();
    if (!codes)
        return ReadCode::Broken;
    PcdRef reference(nullptr, nullptr);
    if (call(library.refOpen, file, reference) != kPcdOk)
        return ReadCode::Failure;
    CallbackState state;
    HDIB image;
    int loaded;
    {
        ui::BusyCursor busy;
        call(library.setFormat, reference.get(), codes->format);
        call(library.setResolution, reference.get(), codes->resolution);
        call(library.setAbort, reference.get(), abortCallback, &state);
        call(library.setProgress, reference.get(), progressCallback, nullptr);
        loaded = call(library.loadImage, reference.get(), 0, image);
        call(library.refClose, reference);
    }
    if (loaded == kPcdOk && !state.cancelled)
        return fixHeader(std::move(image));
    const ReadCode code = state.cancelled ? ReadCode::Broken : ReadCode::Failure;
    if (loaded == kPcdOutOfMemory)
        return {code, Notice(std::string(kOutOfMemoryMessage))};
    return code;
}

ReadResult ReadPhotoCd(const std::string& path, const std::optional<PhotoCdLibrary>& library)
{
    if (!library)
        return ReadCode::Failure;
    FileFailure notice;
    auto file = OpenImageForReading(path, notice);
    if (!file)
        return {ReadCode::Broken, notice};
    return ReadPhotoCd(*file, *library);
}

ReadResult ReadPhotoCd(const std::string& path)
{
    return ReadPhotoCd(path, BuiltInPhotoCdLibrary());
}

}  // namespace lv
