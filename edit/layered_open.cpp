#include "edit/layered_open.h"

#include "edit/compositing.h"
#include "imagelib/shared_picture.h"
#include "edit/layered_format.h"

namespace lv {

ReaderFunction LayeredOpen::reader()
{
    return [this](const std::string& file) -> ReadResult {
        DocumentMetadata read;
        auto document = ReadLayeredFile(file, &read);
        if (!document)
            return ReadCode::Failure;
        CompositeLayers(*document);
        HDIB picture = CopyPicture(document->composite);
        if (!picture)
            return ReadCode::Failure;
        stack = std::move(document);
        metadata = std::move(read);
        return ReadResult(std::move(picture));
    };
}

void LayeredOpen::passMetadata(OpenedImage& opened)
{
    if (opened.format != "VLF" || !opened.result.ok() || metadata.empty())
        return;
    opened.metadata = std::move(metadata.photo);
    opened.result.facts().iccProfile = std::move(metadata.iccProfile);
    metadata = {};
}

}  // namespace lv
