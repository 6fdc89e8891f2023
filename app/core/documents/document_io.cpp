#include "app/core/documents/document_io.h"

#include "app/core/documents/document_files.h"
#include "common/beep.h"
#include "common/failure_notices.h"
#include "common/out_of_memory.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layered_open.h"
#include "edit/layers.h"
#include "edit/psd/psd_import.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/metadata/metadata_save.h"
#include "imagelib/shared_picture.h"

#include <algorithm>
#include <optional>

namespace lv {
namespace {

constexpr int kDiskErrorString = 2329;

void showDiskError()
{
    ui::Current().showMessage(LoadString(kDiskErrorString), ui::kWarningTitle, ui::Icon::Exclamation);
}

// The formats whose files may carry transparency beside their colours.
bool mayCarryAlpha(const std::string& format)
{
    return format == "PNG" || format == "TGA" || format == "BMP";
}

// The one layer of a document opened from a picture with transparency, as the picture and
// its alpha: only when that layer covers the document exactly and shows anything less than
// opaque. Its opacity scales the alpha.
struct PictureWithAlpha {
    const HDIB* image = nullptr;
    HDIB alpha;
};

std::optional<PictureWithAlpha> onlyLayerWithAlpha(const LayerStack& stack)
{
    if (stack.layerCount != 1)
        return std::nullopt;
    const LayerRecord& layer = stack.layers[0];
    const bool covers = layer.image && layer.mask && layer.x == 0 && layer.y == 0 && layer.image.width() == stack.width
                        && layer.image.height() == stack.height && layer.mask.width() == stack.width
                        && layer.mask.height() == stack.height && layer.kind != LAYER_MASK && layer.visible;
    if (!covers || (!HasTransparency(layer.mask) && layer.opacity >= 100))
        return std::nullopt;
    HDIB alpha = CopyPicture(layer.mask);
    if (!alpha)
        return std::nullopt;
    const unsigned opacity = std::min<unsigned>(layer.opacity, 100);
    for (int y = 0; y < alpha.height(); ++y) {
        std::uint8_t* row = alpha.row(y);
        for (int x = 0; x < alpha.width(); ++x)
            row[x] = std::uint8_t((row[x] * opacity + 50) / 100);
    }
    return PictureWithAlpha{&layer.image.read(), std::move(alpha)};
}

// The photo's blocks go only into a file whose writer is the metadata save's; a transparent
// PNG keeps its own writer. Nothing when this path does not apply, else whether it wrote.
std::optional<bool> writeWithPhotoMetadata(const LayerStack& stack, const std::string& path, int saveType,
                                           const PictureFacts& facts, const PhotoMetadata& metadata)
{
    if (!metadata.hasBlocks() || saveType == kSaveAsLayered || saveType == kSaveAsPhotoshop)
        return std::nullopt;
    if (saveType == kSaveAsPng && onlyLayerWithAlpha(stack))
        return std::nullopt;
    const HDIB& composite = stack.composite;
    std::string extension = SaveAsExtension(path);
    if (!extension.empty() && extension.front() == '.')
        extension.erase(0, 1);
    // Only JPEG needs the picture widened; TIFF and PNG keep its depth as the plain writers do.
    HDIB wide;
    const ImageType type = DibGetType(composite);
    if ((extension == "JPG" || extension == "JPEG") && type != IMG_RGB24 && type != IMG_GREY8)
        wide = DibPromoteTo24(composite);
    const HDIB& written = wide ? wide : composite;
    const PictureEncoder encode = MetadataKeepingEncoder(extension, written, CurrentSaveOptions().jpegQuality, facts.iccProfile);
    if (!encode || !written)
        return std::nullopt;
    ui::BusyCursor busy;
    const WriteResult result = WriteWithMetadata(path, encode, metadata, {written.width(), written.height(), false});
    if (result != WriteResult::Written) {
        ShowFailureNotices(result.failure());
        if (!result.failure())
            showDiskError();
    }
    return result == WriteResult::Written;
}

LoadedDocument readDocument(const std::string& path)
{
    // The layered and Photoshop readers keep the whole stack aside; the dispatcher sees its composite.
    LayeredOpen layered;
    DocumentReaders readers = LibraryDocumentReaders();
    readers.layered = layered.reader();
    readers.psd = [&layered](const std::string& file) -> ReadResult {
        PsdOpened opened = OpenPsdFile(file);
        if (!opened.stack)
            return ReadResult(opened.code, opened.failure);
        HDIB picture = CopyPicture(opened.stack->composite);
        if (!picture)
            return ReadCode::Failure;
        layered.stack = std::move(opened.stack);
        return ReadResult(std::move(picture));
    };

    OpenedImage opened = OpenDocumentImage(path, readers);
    layered.passMetadata(opened);
    ShowFailureNotices(opened.result.failure());
    LoadedDocument loaded;
    loaded.code = opened.result.code();
    loaded.format = opened.format;
    loaded.metadata = std::move(opened.metadata);
    if (!opened.result.ok())
        return loaded;
    if ((opened.format == "VLF" || opened.format == "PSD") && layered.stack) {
        if (layered.stack->width == 0 || layered.stack->height == 0) {
            ui::Beep("zero-size picture");
            loaded.code = ReadCode::Failure;
            return loaded;
        }
        loaded.stack = std::move(layered.stack);
        loaded.facts.iccProfile = std::move(opened.result.facts().iccProfile);
        return loaded;
    }
    PictureFacts facts = std::move(opened.result.facts());
    HDIB picture = opened.result.take();
    if (DiscardEmptyPicture(picture)) {
        loaded.code = ReadCode::Failure;
        return loaded;
    }
    loaded.stack = CreateLayerStackFromImage(std::move(picture));
    if (!loaded.stack) {
        loaded.code = ReadCode::Failure;
        return loaded;
    }
    loaded.facts = std::move(facts);
    // Transparency the colour readers dropped becomes the mask of the background layer, so it
    // shows as the grid and survives a PNG save.
    if (mayCarryAlpha(opened.format)) {
        FileFailure told;
        HDIB mask = ReadAlphaMask(path, &told);
        ShowFailureNotices(told);
        if (mask && mask.width() == loaded.stack->width && mask.height() == loaded.stack->height)
            loaded.stack->layers[0].mask = std::move(mask);
    }
    CompositeLayers(*loaded.stack);
    return loaded;
}

}  // namespace

LoadedDocument LoadDocument(const std::string& path)
{
    return ReadWithinMemory(path, [&] { return readDocument(path); }, [] { return LoadedDocument{}; });
}

bool WriteDocument(LayerStack& stack, std::string& path, int saveType, const PictureFacts& facts,
                   const PhotoMetadata& metadata)
{
    path = WithDefaultExtension(path, saveType);
    bool written = false;
    if (const auto kept = writeWithPhotoMetadata(stack, path, saveType, facts, metadata)) {
        written = *kept;
    } else if (saveType == kSaveAsLayered || saveType == kSaveAsPng) {
        // The layered and PNG writers work outside the Save-as procedure, which reports its own failures.
        ui::BusyCursor busy;
        if (saveType == kSaveAsLayered) {
            written = WriteLayeredFile(path, stack, kLayeredSaveQuality, nullptr, {metadata, facts.iccProfile});
        } else if (const auto transparent = onlyLayerWithAlpha(stack)) {
            written = WritePng(path, *transparent->image, nullptr, &transparent->alpha, facts.iccProfile)
                      == PngWriteResult::Written;
        } else {
            written = WritePng(path, stack.composite, nullptr, nullptr, facts.iccProfile) == PngWriteResult::Written;
        }
        if (!written)
            showDiskError();
    } else {
        FileFailure failure;
        written = SaveImageAs(stack.composite, path, saveType, failure, facts);
        ShowFailureNotices(failure);
    }
    if (written)
        stack.modified = 0;
    return written;
}

bool RebuildComposite(LayerStack& stack)
{
    const HDIB& old = stack.composite;
    const bool fits = old && old.width() == stack.width && old.height() == stack.height
                      && old.bitCount() == stack.bitCount;
    if (!fits) {
        HDIB composite = MakeComposite(stack.width, stack.height, stack.bitCount);
        if (!composite)
            return false;
        if (old) {
            composite.header().biXPelsPerMeter = old.header().biXPelsPerMeter;
            composite.header().biYPelsPerMeter = old.header().biYPelsPerMeter;
        }
        stack.composite = std::move(composite);
    }
    CompositeLayers(stack);
    return true;
}

}  // namespace lv
