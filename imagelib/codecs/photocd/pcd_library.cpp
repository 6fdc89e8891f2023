#include "imagelib/codecs/photocd/pcd_library.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/photocd/photo_ycc.h"
#include "imagelib/codecs/photocd/pcd_layout.h"
#include "imagelib/codecs/photocd/pcd_planes.h"
#include "imagelib/codecs/photocd/pcd_residuals.h"

#include <cstring>
#include <new>

namespace lv::photocd {

struct PcdReference {
    ByteSource& file;
    int rotation = 0;      // quarter turns anticlockwise
    Level largest = Level::Base;
    int format = kFormatColour;
    Level level = Level::Base;
    PcdAbortCallback abort = nullptr;
    void* abortData = nullptr;
    PcdProgressCallback progress = nullptr;
    void* progressData = nullptr;
};

namespace {

void destroy(PcdReference* reference)
{
    std::default_delete<PcdReference>()(reference);
}

struct LoadState {
    PcdReference& ref;
    bool aborted = false;
    bool outOfMemory = false;

    bool askAbort()
    {
        if (ref.abort && ref.abort(ref.abortData))
            aborted = true;
        return aborted;
    }
    void report(int done, int total) const
    {
        if (ref.progress)
            ref.progress(done, total, ref.progressData);
    }
};

// Upsamples every plane of `planes` and adds the residuals at `tableOffset`.
std::optional<YccPlanes> refine(LoadState& state, const YccPlanes& planes, std::uint64_t tableOffset, int tableCount,
                                ResidualResult& residuals)
{
    auto luma = Upsample(planes.luma);
    auto chroma1 = Upsample(planes.chroma1);
    auto chroma2 = Upsample(planes.chroma2);
    if (!luma || !chroma1 || !chroma2) {
        state.outOfMemory = true;
        return std::nullopt;
    }
    YccPlanes next{std::move(*luma), std::move(*chroma1), std::move(*chroma2)};
    auto tables = ReadHuffmanTables(state.ref.file, tableOffset, tableCount);
    if (!tables)
        return std::nullopt;
    residuals = AddResiduals(
        state.ref.file, state.ref.file.position(), *tables, next, [&] { return state.askAbort(); },
        [&](int done, int total) { state.report(done, total); });
    if (residuals.outcome == ResidualOutcome::Aborted)
        return std::nullopt;
    return next;
}

std::optional<YccPlanes> loadPlanes(LoadState& state, Level level)
{
    if (level <= Level::Base)
        return ReadStoredLevel(state.ref.file, level, state.outOfMemory);
    auto base = ReadStoredLevel(state.ref.file, Level::Base, state.outOfMemory);
    if (!base)
        return std::nullopt;
    ResidualResult fourBaseRows;
    auto fourBase = refine(state, *base, kFourBaseTableSector * kSectorBytes, 1, fourBaseRows);
    if (!fourBase || level == Level::FourBase)
        return fourBase;
    if (!fourBaseRows.sawEnd)
        return std::nullopt;
    const std::uint64_t endSector = (fourBaseRows.endPosition + kSectorBytes - 1) / kSectorBytes;
    ResidualResult sixteenBaseRows;
    return refine(state, *fourBase, (endSector + kSixteenBaseTableGap) * kSectorBytes, 3, sixteenBaseRows);
}

struct Turned {
    int width, height;
};

Turned turnedSize(int width, int height, int rotation)
{
    return rotation % 2 ? Turned{height, width} : Turned{width, height};
}

// Where source pixel (x, y), counted from the top, lands after the quarter turns.
void place(int x, int y, int width, int height, int rotation, int& tx, int& ty)
{
    switch (rotation) {
    case 1: tx = y, ty = width - 1 - x; break;
    case 2: tx = width - 1 - x, ty = height - 1 - y; break;
    case 3: tx = height - 1 - y, ty = x; break;
    default: tx = x, ty = y; break;
    }
}

// The block with the library's layout, rows at byte 1064 whatever the depth.
HDIB allocateBlock(int width, int height, bool grey)
{
    const unsigned bits = grey ? 8 : 24;
    const std::uint64_t rowBytes = PictureBytes(width, height, bits);
    if (rowBytes == 0)
        return {};
    HDIB block = HDIB::AllocateZeroed(kDib8PixelOffset + rowBytes + kDibSpareBytes);
    if (!block)
        return block;
    WritePictureHeader(block, width, height, bits, 0, rowBytes);
    if (grey)
        FillGreyRamp(block.colors(), 256);
    return block;
}

int convert(LoadState& state, const YccPlanes& planes, HDIB& image)
{
    const bool grey = state.ref.format == kFormatGrey;
    const int width = planes.luma.width, height = planes.luma.height;
    std::optional<Plane> chroma1, chroma2;
    if (!grey) {
        chroma1 = Upsample(planes.chroma1);
        chroma2 = Upsample(planes.chroma2);
        if (!chroma1 || !chroma2)
            return kPcdOutOfMemory;
    }
    const int rotation = state.ref.rotation;
    const Turned size = turnedSize(width, height, rotation);
    HDIB block = allocateBlock(size.width, size.height, grey);
    if (!block)
        return kPcdOutOfMemory;
    const int bytesPerPixel = grey ? 1 : 3;
    const std::size_t stride = DibStride(std::uint32_t(size.width), unsigned(bytesPerPixel * 8));
    std::uint8_t* rows = block.data() + kDib8PixelOffset;
    std::vector<std::uint8_t> line(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        if (y % 16 == 0 && state.askAbort())
            return kPcdAborted;
        if (grey) {
            for (int x = 0; x < width; ++x)
                line[std::size_t(x)] = PhotoYccLumaToGrey(planes.luma.row(y)[x]);
        } else {
            PhotoYccToBgr(planes.luma.row(y), chroma1->row(y), chroma2->row(y), line.data(), width);
        }
        for (int x = 0; x < width; ++x) {
            int tx, ty;
            place(x, y, width, height, rotation, tx, ty);
            std::uint8_t* target = rows + std::size_t(size.height - 1 - ty) * stride + std::size_t(tx) * std::size_t(bytesPerPixel);
            std::memcpy(target, &line[std::size_t(x) * std::size_t(bytesPerPixel)], std::size_t(bytesPerPixel));
        }
    }
    image = std::move(block);
    return kPcdOk;
}

}  // namespace

int PCDrefOpen(ByteSource& file, PcdRef& reference)
{
    char signature[7];
    if (!file.seek(kSignatureOffset) || !file.readExact(signature, sizeof signature) ||
        std::string_view(signature, sizeof signature) != kSignature)
        return kPcdNotImagePack;
    std::uint8_t attributes = 0;
    if (!file.seek(kAttributesOffset) || !file.readExact(&attributes, 1))
        return kPcdNotImagePack;
    // A pack cut short still holds the levels whose planes end before the cut, and the levels
    // above Base build on Base; without even the Base/16 planes it is no picture.
    int held = -1;
    for (int stored = 0; stored < int(kStoredLevelSectors.size()); ++stored)
        if (file.size() >= StoredLevelEndSector(stored) * kSectorBytes)
            held = stored;
    if (held < 0)
        return kPcdNotImagePack;
    try {
        reference = PcdRef(std::make_unique<PcdReference>(PcdReference{file}).release(), destroy);
    } catch (const std::bad_alloc&) {
        return kPcdOutOfMemory;
    }
    reference->rotation = attributes & 3;
    const int largest = (attributes >> 2) & 3;
    reference->largest = largest >= 2 ? Level::SixteenBase : largest == 1 ? Level::FourBase : Level::Base;
    if (held < int(Level::Base))
        reference->largest = Level(held);
    return kPcdOk;
}

int PCDsetFormat(PcdReference* reference, int format)
{
    if (!reference || (format != kFormatGrey && format != kFormatColour))
        return kPcdBadArgument;
    reference->format = format;
    return kPcdOk;
}

int PCDsetResolution(PcdReference* reference, int resolution)
{
    if (!reference || resolution < 1 || resolution > kLevelCount)
        return kPcdBadArgument;
    reference->level = Level(resolution - 1);
    return kPcdOk;
}

int PCDsetAbort(PcdReference* reference, PcdAbortCallback callback, void* data)
{
    if (!reference)
        return kPcdBadArgument;
    reference->abort = callback;
    reference->abortData = data;
    return kPcdOk;
}

int PCDsetProgress(PcdReference* reference, PcdProgressCallback callback, void* data)
{
    if (!reference)
        return kPcdBadArgument;
    reference->progress = callback;
    reference->progressData = data;
    return kPcdOk;
}

int PCDloadImage(PcdReference* reference, int, HDIB& image)
{
    if (!reference)
        return kPcdBadArgument;
    LoadState state{*reference};
    const Level level = std::min(reference->level, reference->largest);
    const auto planes = loadPlanes(state, level);
    if (!planes)
        return state.aborted ? kPcdAborted : state.outOfMemory ? kPcdOutOfMemory : kPcdReadError;
    const int status = convert(state, *planes, image);
    if (status == kPcdOk)
        state.report(1, 1);
    return status;
}

int PCDrefClose(PcdRef& reference)
{
    reference.reset();
    return kPcdOk;
}

}  // namespace lv::photocd
