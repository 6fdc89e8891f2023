#include "album/orientation/photo_turn.h"

#include "album/orientation/decoded_turn.h"
#include "common/byte_source.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/memory_decode.h"
#include "imagelib/metadata/metadata_writer.h"

#include <algorithm>

namespace lv::orientation {
namespace {

bool IsJpeg(std::span<const std::uint8_t> bytes)
{
    return bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

TurnOutcome Failure(FileFailure failure)
{
    TurnOutcome outcome;
    outcome.failure = std::move(failure);
    return outcome;
}

TurnOutcome TurnJpeg(const std::string& path, const std::vector<std::uint8_t>& original, const TurnRequest& request)
{
    const PhotoMetadata metadata = ReadPhotoMetadata(original);
    if (request.turn == Turn::Upright && metadata.orientation == 1)
        return {TurnStatus::AlreadyUpright, true, false, 0, 0, {}};
    TurnedJpeg turned = TurnJpegBlocks(original, TransformForTurn(metadata.orientation, request.turn), request.edges);
    if (turned.bytes.empty())
        return Failure(std::move(turned.failure));
    // The blocks moved with the old orientation tag copied beside them: shown by it they
    // would turn twice, so a photo whose tags can't be rewritten is not written at all.
    if (metadata.hasBlocks() && !InsertPhotoMetadata(turned.bytes, metadata, {turned.width, turned.height, false}))
        return Failure({FileProblem::Unsupported, "os metadados da foto não puderam ser atualizados"});
    const WriteResult written = WriteImageFile(path, [&turned](ByteSink& sink) {
        return sink.write(turned.bytes.data(), turned.bytes.size()) ? WriteResult(WriteResult::Written)
                                                                    : WriteResult(WriteResult::Failed);
    });
    if (written != WriteResult::Written)
        return Failure(written.failure() ? written.failure() : FileFailure{FileProblem::DiskError});
    return {TurnStatus::Turned, true, false, turned.width, turned.height, {}};
}

}  // namespace

TurnOutcome TurnPhoto(const std::string& path, const TurnRequest& request)
{
    FileFailure cannotOpen;
    const auto source = FileSource::Open(path, &cannotOpen);
    if (!source)
        return Failure(cannotOpen ? cannotOpen : FileFailure{FileProblem::NotFound});
    std::vector<std::uint8_t> head(std::size_t(std::min<std::uint64_t>(source->size(), 64)));
    if (!source->readExact(head.data(), head.size()))
        return Failure({FileProblem::Truncated});
    if (!IsJpeg(head))
        return TurnDecodedPhoto(path, head, request);
    std::vector<std::uint8_t> bytes;
    if (FileFailure unread = source->seek(0) ? ReadRestIntoMemory(*source, bytes) : FileFailure{FileProblem::DiskError})
        return Failure(unread);
    return TurnJpeg(path, bytes, request);
}

std::string DescribeTurn(const TurnOutcome& outcome, const std::string& path)
{
    const std::string& name = path;
    switch (outcome.status) {
    case TurnStatus::AlreadyUpright: return name + ": já está em pé";
    case TurnStatus::Turned:
        return name + ": girada (" + std::to_string(outcome.width) + "×" + std::to_string(outcome.height) +
               (outcome.lossless ? ", sem perda" : ", gravada de novo") +
               (outcome.metadataDropped ? ", sem os metadados: o formato não os guarda aqui" : "") + ")";
    case TurnStatus::Failed: break;
    }
    // The turn's own refusals are sentences already; the file problems have theirs.
    const FileFailure& failure = outcome.failure;
    return name + ": " + (failure.problem == FileProblem::Unsupported && !failure.detail.empty() ? failure.detail
                                                                                                 : DescribeFileProblem(failure));
}

}  // namespace lv::orientation
