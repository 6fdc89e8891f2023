#include "image_io.h"

#include "command.h"
#include "edit/compositing.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "edit/psd_import.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/file_names.h"
#include "imagelib/format_registry.h"
#include "imagelib/load_save.h"
#include "imagelib/png.h"
#include "imagelib/save_as.h"
#include "imagelib/save_options.h"

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

ToolPicture OpenPicture(const std::string& path)
{
    ToolPicture picture;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        picture.exitCode = Fail(kExitCannotRead, "cannot open " + path);
        return picture;
    }
    OpenOptions options;
    options.promoteTo24 = false;
    OpenedImage opened = OpenDocumentImage(path, ToolReaders(), options);
    if (!opened.result.ok()) {
        picture.exitCode = Fail(kExitCannotRead, "cannot read " + path);
        return picture;
    }
    picture.image = opened.result.take();
    picture.format = opened.format;
    return picture;
}

namespace {

// The program saves PNG from its documents, which are 24-bit; grey pictures stay grey
// here, and palette pictures are widened so their colours survive.
int writePng(const HDIB& image, const std::string& path)
{
    const ImageType type = DibGetType(image);
    HDIB wide;
    if (type != IMG_RGB24 && type != IMG_GREY8) {
        wide = DibPromoteTo24(image);
        if (!wide)
            return Fail(kExitCannotWrite, "cannot widen the picture for " + path);
    }
    const PngWriteResult result = WritePng(path, wide ? wide : image);
    if (result != PngWriteResult::Written)
        return Fail(kExitCannotWrite, "cannot write " + path + " (PNG result " + std::to_string(int(result)) + ")");
    return kExitOk;
}

}  // namespace

int WritePicture(HDIB& image, const std::string& path, bool saveAs)
{
    if (saveAs) {
        const std::string extension = SaveAsExtension(path);
        const int type = extension.empty() ? 1 : FindWriteSlot(extension.substr(1));
        std::string target = path;
        if (type < 1 || type > 6)
            return Fail(kExitUsage, "the Save-as procedure does not write " + path);
        return SaveImageAs(image, target, type) ? kExitOk : Fail(kExitCannotWrite, "cannot write " + target);
    }
    if (isLayeredName(path)) {
        auto stack = CreateLayerStackFromImage(DibDuplicate(image));
        if (!stack)
            return Fail(kExitCannotWrite, "cannot make a layered document of the picture");
        CompositeLayers(*stack);
        return WriteDocument(*stack, path, CurrentSaveOptions().jpegQuality);
    }
    std::string extension = DispatchExtension(path);
    if (extension.empty())
        extension = "BMP";
    if (extension == "PNG")
        return writePng(image, path);
    if (!FindFormatByWriteSlot(FindWriteSlot(extension)))
        return Fail(kExitUsage, "unknown output format: " + path);
    const WriteResult result = SaveImageFile(image, path, true);
    return result == WriteResult::Written ? kExitOk : Fail(kExitCannotWrite, "cannot write " + path);
}

int WriteDocument(LayerStack& stack, const std::string& path, int quality)
{
    if (!isLayeredName(path))
        return WritePicture(stack.composite, path, false);
    return WriteLayeredFile(path, stack, quality) ? kExitOk : Fail(kExitCannotWrite, "cannot write " + path);
}

}  // namespace lv::tool
