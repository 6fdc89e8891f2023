#include "image_io.h"

#include "command.h"
#include "common/failure_notices.h"
#include "common/string_table.h"
#include "edit/compositing.h"
#include "edit/flatten_alpha.h"
#include "edit/layered_format.h"
#include "edit/layered_open.h"
#include "edit/layers.h"
#include "edit/psd/psd_import.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/bmp/bmp_alpha.h"
#include "imagelib/codecs/format_registry.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/metadata/metadata_save.h"
#include "imagelib/metadata/metadata_writer.h"
#include "imagelib/metadata/orient_upright.h"

#include <cstdio>
#include <filesystem>

namespace lv::tool {

namespace {

bool isLayeredName(const std::string& path)
{
    return DispatchExtension(path) == "VLF";
}

}  // namespace

DocumentReaders ToolReaders()
{
    DocumentReaders readers = LibraryDocumentReaders();
    readers.layered = ReadLayeredFlattened;
    readers.psd = ReadPsdFlattened;
    return readers;
}

namespace {

ToolPicture openPicture(const std::string& path, std::optional<int> photoCdResolution, OpenOptions options,
                        bool keepLayers)
{
    ScopedPhotoCdMode photoCdMode(kPhotoCdStored);
    SetStoredPhotoCdChoices({0, photoCdResolution.value_or(PhotoCdChoices{}.resolution)});
    ToolPicture picture;
    options.promoteTo24 = false;
    options.showMessages = false;
    // Layered files open as in the program's windows, their document block with them.
    LayeredOpen layered;
    DocumentReaders readers = ToolReaders();
    readers.layered = layered.reader();
    OpenedImage opened = OpenDocumentImage(path, readers, options);
    layered.passMetadata(opened);
    ShowFailureNotices(opened.result.failure());
    if (!opened.result.ok()) {
        picture.exitCode = Fail(kExitCannotRead, FileProblemMessage(opened.result.failure(), path));
        return picture;
    }
    // A picture read in part is still converted; the user hears what is missing.
    if (opened.result.failure())
        std::fprintf(stderr, "lumivista-tool: %s\n", FileProblemMessage(opened.result.failure(), path).c_str());
    picture.facts = std::move(opened.result.facts());
    picture.storedOrientation = picture.facts.storedOrientation;
    picture.image = opened.result.take();
    picture.format = opened.format;
    picture.metadata = std::move(opened.metadata);
    if (keepLayers)
        picture.layers = std::move(layered.stack);
    return picture;
}

}  // namespace

ToolPicture OpenPicture(const std::string& path, std::optional<int> photoCdResolution)
{
    return openPicture(path, photoCdResolution, {}, false);
}

ToolPicture OpenPictureForScaling(const std::string& path, int width, int height)
{
    OpenOptions options;
    options.scaleToWidth = width;
    options.scaleToHeight = height;
    return openPicture(path, std::nullopt, options, false);
}

namespace {

std::unique_ptr<LayerStack> readLayeredDocument(ToolPicture& picture, const std::string& path, const std::string& format)
{
    if (format == "VLF")
        return picture.layers ? std::move(picture.layers) : ReadLayeredFile(path);
    if (format == "PSD")
        return OpenPsdFile(path).stack;
    return nullptr;
}

}  // namespace

ToolPicture OpenPictureWithAlpha(const std::string& path, std::optional<int> photoCdResolution)
{
    ToolPicture picture = openPicture(path, photoCdResolution, {}, true);
    if (picture.exitCode)
        return picture;
    if (picture.format == "PNG" || picture.format == "TGA" || picture.format == "BMP") {
        FileFailure told;
        HDIB mask = ReadAlphaMask(path, &told);
        ShowFailureNotices(told);
        if (HDIB upright = OrientUpright(mask, picture.storedOrientation))
            mask = std::move(upright);
        if (mask && mask.width() == picture.image.width() && mask.height() == picture.image.height())
            picture.alpha = std::move(mask);
        return picture;
    }
    const auto stack = readLayeredDocument(picture, path, picture.format);
    if (!stack)
        return picture;
    auto flattened = FlattenWithAlpha(*stack);
    if (flattened && flattened->alpha) {
        picture.image = std::move(flattened->picture);
        picture.alpha = std::move(flattened->alpha);
    }
    return picture;
}

bool KeepsAlpha(const std::string& path)
{
    const std::string extension = DispatchExtension(path);
    return extension == "PNG" || extension == "TGA" || extension == "BMP" || extension == "VLF";
}

int WritePictureWithAlpha(const HDIB& image, const HDIB& alpha, const std::string& path, const PictureFacts& facts,
                          const PhotoMetadata& metadata)
{
    const std::string extension = DispatchExtension(path);
    const bool grey = DibGetType(image) == IMG_GREY8;
    // PNG and the layers keep grey with alpha; 32-bit Targa and bitmap pixels are colour.
    const bool colourOnly = extension == "TGA" || extension == "BMP";
    HDIB wide;
    if (DibGetType(image) != IMG_RGB24 && !(grey && !colourOnly)) {
        wide = DibPromoteTo24(image);
        if (!wide)
            return Fail(kExitCannotWrite, "cannot widen the picture for " + path);
    }
    const HDIB& colours = wide ? wide : image;
    if (extension == "PNG") {
        FileFailure failure;
        if (WritePng(path, colours, &failure, &alpha, facts.iccProfile) != PngWriteResult::Written)
            return CannotWrite(failure, path);
        return kExitOk;
    }
    if (colourOnly) {
        const WriteResult result = extension == "TGA" ? WriteTargaWithAlpha(path, colours, alpha)
                                                      : WriteBmpWithAlpha(path, colours, alpha);
        return result == WriteResult::Written ? kExitOk : CannotWrite(result.failure(), path);
    }
    auto stack = CreateLayerStackFromImage(DibDuplicate(colours));
    HDIB mask = DibDuplicate(alpha);
    if (!stack || !mask)
        return Fail(kExitCannotWrite, "cannot make a layered document of the picture");
    stack->layers[0].mask = std::move(mask);
    CompositeLayers(*stack);
    return WriteDocument(*stack, path, CurrentSaveOptions().jpegQuality, {metadata, facts.iccProfile});
}

namespace {

constexpr int kUnknownFormatString = 2356;

// The program saves PNG from its documents, which are 24-bit; grey pictures stay grey
// here, and palette pictures are widened so their colours survive.
int writePng(const HDIB& image, const std::string& path, const PictureFacts& facts)
{
    const ImageType type = DibGetType(image);
    HDIB wide;
    if (type != IMG_RGB24 && type != IMG_GREY8) {
        wide = DibPromoteTo24(image);
        if (!wide)
            return Fail(kExitCannotWrite, "cannot widen the picture for " + path);
    }
    FileFailure failure;
    const PngWriteResult result = WritePng(path, wide ? wide : image, &failure, nullptr, facts.iccProfile);
    if (result != PngWriteResult::Written)
        return CannotWrite(failure, path);
    return kExitOk;
}

int writeLayeredPicture(const HDIB& image, const std::string& path, const DocumentMetadata& metadata)
{
    auto stack = CreateLayerStackFromImage(DibDuplicate(image));
    if (!stack)
        return Fail(kExitCannotWrite, "cannot make a layered document of the picture");
    CompositeLayers(*stack);
    return WriteDocument(*stack, path, CurrentSaveOptions().jpegQuality, metadata);
}

}  // namespace

int CannotWrite(const FileFailure& failure, const std::string& path)
{
    const FileFailure reason = failure ? failure : FileFailure{FileProblem::DiskError, {}};
    return Fail(kExitCannotWrite, FileProblemMessage(reason, path));
}

int WritePhoto(HDIB& image, const PhotoMetadata& metadata, const std::string& path, bool removePersonal,
               const PictureFacts& facts)
{
    if (isLayeredName(path))
        return writeLayeredPicture(image, path, {removePersonal ? WithoutPersonalData(metadata) : metadata, facts.iccProfile});
    // Only JPEG needs the picture widened; TIFF and PNG keep its depth as the plain writers do.
    const std::string extension = DispatchExtension(path);
    HDIB wide;
    const ImageType type = DibGetType(image);
    if ((extension == "JPG" || extension == "JPEG") && type != IMG_RGB24 && type != IMG_GREY8)
        wide = DibPromoteTo24(image);
    const HDIB& written = wide ? wide : image;
    const PictureEncoder encode = MetadataKeepingEncoder(extension, written, CurrentSaveOptions().jpegQuality,
                                                          facts.iccProfile);
    if (!metadata.hasBlocks() || !encode || !written)
        return WritePicture(image, path, false, facts);
    return PhotoWriteOutcome(
        WriteWithMetadata(path, encode, metadata, {written.width(), written.height(), removePersonal}), path);
}

int PhotoWriteOutcome(const WriteResult& result, const std::string& path)
{
    ShowFailureNotices(result.failure());
    return result == WriteResult::Written ? kExitOk : CannotWrite(result.failure(), path);
}

int WritePicture(HDIB& image, const std::string& path, bool saveAs, const PictureFacts& facts)
{
    if (saveAs) {
        const std::string extension = SaveAsExtension(path);
        const int type = extension.empty() ? 1 : FindWriteSlot(extension.substr(1));
        std::string target = path;
        if (!IsLibrarySaveType(type))
            return Fail(kExitUsage, std::string(LoadString(kUnknownFormatString)) + " --- " + path);
        // The procedure says why it failed, with the file's name.
        FileFailure failure;
        const bool saved = SaveImageAs(image, target, type, failure, facts);
        ShowFailureNotices(failure);
        return saved ? kExitOk : kExitCannotWrite;
    }
    if (isLayeredName(path))
        return writeLayeredPicture(image, path, {{}, facts.iccProfile});
    std::string extension = DispatchExtension(path);
    if (extension.empty())
        extension = "BMP";
    if (extension == "PNG")
        return writePng(image, path, facts);
    if (!FindFormatByWriteSlot(FindWriteSlot(extension)))
        return Fail(kExitUsage, std::string(LoadString(kUnknownFormatString)) + " --- " + path);
    return PictureWriteOutcome(SaveImageFile(image, path, false, facts), path);
}

int PictureWriteOutcome(const WriteResult& result, const std::string& path)
{
    ShowFailureNotices(result.failure());
    if (result == WriteResult::Written)
        return kExitOk;
    // A picture the writer refused has been explained in the writer's own words.
    if (result.failure().problem == FileProblem::DepthNotWritable || (!result.failure() && result != WriteResult::Failed))
        return kExitCannotWrite;
    return CannotWrite(result.failure(), path);
}

std::unique_ptr<LayerStack> OpenDocument(const std::string& path, int& exitCode)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        exitCode = Fail(kExitCannotRead, "cannot open " + path);
        return nullptr;
    }
    std::unique_ptr<LayerStack> stack;
    if (DispatchExtension(path) == "VLF") {
        stack = ReadLayeredFile(path);
    } else {
        ToolPicture picture = OpenPicture(path);
        if (picture.exitCode) {
            exitCode = picture.exitCode;
            return nullptr;
        }
        stack = CreateLayerStackFromImage(std::move(picture.image));
    }
    if (!stack) {
        exitCode = Fail(kExitCannotRead, "cannot read " + path + " as a document");
        return nullptr;
    }
    CompositeLayers(*stack);
    return stack;
}

int WriteDocument(LayerStack& stack, const std::string& path, int quality, const DocumentMetadata& metadata)
{
    if (!isLayeredName(path)) {
        PictureFacts facts;
        facts.iccProfile = metadata.iccProfile;
        return WritePhoto(stack.composite, metadata.photo, path, false, facts);
    }
    FileFailure failure;
    return WriteLayeredFile(path, stack, quality, &failure, metadata) ? kExitOk : CannotWrite(failure, path);
}

}  // namespace lv::tool
