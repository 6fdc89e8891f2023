#include "album/orientation/decoded_turn.h"

#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/codecs/format_registry.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/codecs/webp/webp.h"
#include "imagelib/metadata/metadata_save.h"
#include "imagelib/metadata/orient_upright.h"

#include <array>
#include <string_view>

namespace lv::orientation {
namespace {

TurnOutcome Failure(FileFailure failure)
{
    TurnOutcome outcome;
    outcome.failure = std::move(failure);
    return outcome;
}

int QuarterOf(Turn turn)
{
    return turn == Turn::Left ? 8 : turn == Turn::Right ? 6 : 1;
}

// Formats whose writers here store every pixel of a decoded photo as it was read.
bool KeepsEveryPixel(std::string_view format, std::span<const std::uint8_t> head)
{
    if (format == "PNG")
        return head.size() > 24 && head[24] <= 8;  // the reader cuts deeper samples to 8 bits
    if (format == "WEBP")
        return head.size() > 15 && std::string_view(reinterpret_cast<const char*>(head.data()) + 12, 4) == "VP8L";
    static constexpr std::array<std::string_view, 4> kExact = {"BMP", "TIF", "PCX", "TGA"};
    for (std::string_view exact : kExact)
        if (exact == format)
            return true;
    return false;
}

// The writers that carry the photo's metadata blocks; empty for the others.
PictureEncoder MetadataEncoder(std::string_view format, const HDIB& image, const HDIB* alpha, bool lossless,
                               const PictureFacts& facts)
{
    const std::span<const std::uint8_t> icc = facts.iccProfile;
    if (format == "PNG")
        return [&image, alpha, icc](ByteSink& sink) {
            return WritePng(sink, image, alpha, icc) == PngWriteResult::Written ? WriteResult(WriteResult::Written)
                                                                               : WriteResult(WriteResult::NotWritten);
        };
    if (format == "TIF")
        return [&image, icc](ByteSink& sink) { return WriteTiff(sink, image, icc); };
    if (format == "WEBP")
        return [&image, lossless](ByteSink& sink) { return WriteWebp(sink, image, {lossless ? 100 : 90, lossless}); };
    return {};
}

}  // namespace

TurnOutcome TurnDecodedPhoto(const std::string& path, std::span<const std::uint8_t> head, const TurnRequest& request)
{
    OpenedImage opened = LoadGeneralImage(path, LibraryDocumentReaders(), {false, false});
    if (!opened.result.ok())
        return Failure(opened.result.failure() ? WithoutNotices(opened.result.failure())
                                               : FileFailure{FileProblem::UnknownFormat});
    const PictureFacts facts = opened.result.facts();
    if (request.turn == Turn::Upright && facts.storedOrientation == 1 && opened.metadata.orientation == 1)
        return {TurnStatus::AlreadyUpright, true, false, 0, 0, {}};
    if (facts.wholeWidth > 0)
        return Failure({FileProblem::Unsupported, "o arquivo só mostra uma prévia da foto"});
    const bool lossless = KeepsEveryPixel(opened.format, head);
    if (request.losslessOnly && !lossless)
        return Failure({FileProblem::Unsupported, "uma foto " + opened.format + " só gira gravada de novo, com perda"});

    const int quarter = QuarterOf(request.turn);
    HDIB turned = quarter == 1 ? std::move(opened.result.image()) : OrientUpright(opened.result.image(), quarter);
    if (!turned)
        return Failure({FileProblem::OutOfMemory});
    // The readers drop transparency; it is read beside the colours as the file stores it,
    // so it takes the stored orientation and the turn together.
    HDIB alpha = ReadAlphaMask(path);
    if (alpha && opened.format != "PNG")
        return Failure({FileProblem::Unsupported, "a transparência de uma foto " + opened.format + " se perderia"});
    if (alpha) {
        const int whole = Combine(facts.storedOrientation, quarter);
        if (whole != 1 && !(alpha = OrientUpright(alpha, whole)))
            return Failure({FileProblem::OutOfMemory});
    }

    TurnOutcome outcome{TurnStatus::Turned, lossless, false, turned.width(), turned.height(), {}};
    if (const PictureEncoder encode = MetadataEncoder(opened.format, turned, alpha ? &alpha : nullptr, lossless, facts)) {
        const WriteResult written = WriteWithMetadata(path, encode, opened.metadata, {turned.width(), turned.height(), false});
        if (written != WriteResult::Written)
            return Failure(written.failure() ? written.failure() : FileFailure{FileProblem::DiskError});
        return outcome;
    }
    const ImageFormat* format = FindFormatByExtension(opened.format);
    if (!format || !format->write)
        return Failure({FileProblem::Unsupported, "fotos " + opened.format + " não são gravadas aqui"});
    const WriteResult written = WriteWithFacts(*format, path, turned, facts);
    if (written != WriteResult::Written)
        return Failure(written.failure() ? written.failure() : FileFailure{FileProblem::DiskError});
    outcome.metadataDropped = opened.metadata.hasBlocks();
    return outcome;
}

}  // namespace lv::orientation
