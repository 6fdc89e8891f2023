#pragma once
// What the readers of the libraries that decode from one buffer share: the file taken into
// memory (the library never opens the file by name, so the regular-file rule and the
// picture budget hold), the budget checked on the header's size before any decoding, and
// the library's top-down RGB rows stored as the picture's bottom-up BGR rows.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/file_bytes.h"
#include "imagelib/codecs/picture_budget.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lv {

// The rest of the source in `bytes`; Truncated when the file ended early, Cancelled when
// the user stopped it. Nothing (a null failure) when read whole.
FileFailure ReadRestIntoMemory(ByteSource& source, std::vector<std::uint8_t>& bytes);
FileFailure ReadRestIntoMemory(ByteSource& source, FileBytes& bytes);

// TooLarge or Corrupt when a `width` × `height` picture may not be made from `fileBytes`;
// for libraries that allocate the pixels themselves, asked before they decode.
FileFailure CheckDecodedSize(std::int64_t width, std::int64_t height, std::uint64_t fileBytes);

// The 24-bit picture a `width` × `height` header asks for, checked against what
// `fileBytes` of data may make before anything is decoded.
FilePicture AllocateDecodedPicture(std::int64_t width, std::int64_t height, std::uint64_t fileBytes);

// Copies top-down rows of 8-bit RGB (`channels` 3) or RGBA (4, alpha dropped) samples.
void StoreTopDownRgb(HDIB& picture, const std::uint8_t* pixels, std::size_t rowBytes, int channels);

// The picture's pixels as top-down RGB rows without padding, for the encoders; pictures of
// fewer bits are promoted first. Empty when memory runs out.
std::vector<std::uint8_t> TopDownRgb(const HDIB& picture);

// Runs `read(ByteSource&)` on the file at `path`, opened by the library's own file-open.
template<typename Read>
ReadResult ReadFileWith(const std::string& path, Read&& read);

// The answer when the file could not be taken into memory: a stop by the user breaks the
// read; anything else lets the next reader try.
inline ReadResult UnreadInput(const FileFailure& failure)
{
    return {failure.problem == FileProblem::Cancelled ? ReadCode::Broken : ReadCode::NotThisFormat, failure};
}

// The answer for a picture the budget or the memory refused.
inline ReadResult RefusedPicture(const FileFailure& failure)
{
    return {failure.problem == FileProblem::OutOfMemory ? ReadCode::Failure : ReadCode::NotThisFormat, failure};
}

// A failure of a library the file has already been recognised by: its words as detail.
inline ReadResult DecodeFailure(FileProblem problem, std::string said)
{
    return {ReadCode::NotThisFormat, {problem, std::move(said)}};
}

}  // namespace lv

#include "imagelib/codecs/image_file.h"

namespace lv {

template<typename Read>
ReadResult ReadFileWith(const std::string& path, Read&& read)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::NotThisFormat, notice};
    return read(*source);
}

}  // namespace lv
