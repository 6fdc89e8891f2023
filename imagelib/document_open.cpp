#include "imagelib/document_open.h"

#include "common/ui_service.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/file_names.h"
#include "imagelib/gif.h"
#include "imagelib/library_messages.h"
#include "imagelib/load_save.h"
#include "imagelib/photo_cd_options.h"
#include "imagelib/png.h"
#include "imagelib/pcx.h"

#include <optional>

namespace lv {
namespace {

constexpr int kUnknownFormatString = 2356;
bool backgroundLoading = false;

OpenedImage fromLibrary(const std::string& path)
{
    LoadedImage loaded = LoadImageFileDetailed(path, false);
    OpenedImage opened;
    opened.result = ReadResult(std::move(loaded.image));
    if (loaded.format)
        opened.format = std::string(loaded.format->name);
    return opened;
}

OpenedImage run(const ReaderFunction& reader, std::string_view format, const std::string& path)
{
    OpenedImage opened;
    opened.result = reader ? reader(path) : ReadResult(ReadCode::NotThisFormat);
    opened.format = format;
    return opened;
}

void promoteIfNeeded(OpenedImage& opened)
{
    if (!opened.result.ok() || DibGetType(opened.result.image()) == IMG_RGB24)
        return;
    opened.result = ReadResult(DibPromoteTo24(opened.result.image()));
}

// Mirrors the BusyCursor guard, unless background loading is on.
class OptionalBusy {
public:
    OptionalBusy()
    {
        if (!backgroundLoading)
            busy_.emplace();
    }

private:
    std::optional<ui::BusyCursor> busy_;
};

}  // namespace

DocumentReaders LibraryDocumentReaders()
{
    DocumentReaders readers;
    readers.png = [](const std::string& path) { return ReadPng(path); };
    readers.pcxWhole = [](const std::string& path) { return ReadPcxWhole(path); };
    readers.gifStream = [](const std::string& path) {
        HDIB image = ReadGifStream(path);
        return image ? ReadResult(std::move(image)) : ReadResult(ReadCode::Failure);
    };
    return readers;
}

OpenedImage LoadGeneralImage(const std::string& path, const DocumentReaders& readers, const OpenOptions& options)
{
    const std::string extension = LoaderExtension(path);
    if (extension.empty())
        return {};
    OptionalBusy busy;
    // The album's thumbnailing reads Photo CDs at Base without asking.
    const ScopedPhotoCdMode photoCdMode(backgroundLoading ? int(kPhotoCdBase) : PhotoCdMode());
    const std::pair<std::string_view, const ReaderFunction*> special[] = {
        {"vlf", &readers.layered}, {"png", &readers.png}, {"gif", &readers.gifStream},
        {"pcx", &readers.pcxWhole}, {"psd", &readers.psd},
    };
    OpenedImage opened;
    bool handled = false;
    for (const auto& [name, reader] : special) {
        if (extension == name && *reader) {
            opened = run(*reader, ToUpperAscii(name), path);
            handled = true;
        }
    }
    if (!handled)
        opened = fromLibrary(path);
    if (options.promoteTo24)
        promoteIfNeeded(opened);
    return opened;
}

OpenedImage OpenDocumentImage(const std::string& path, const DocumentReaders& readers, const OpenOptions& options)
{
    const std::string extension = SaveAsExtension(path);
    bool pngTried = false, layeredTried = false, generalTried = false;
    OpenedImage opened;
    if (extension == ".PNG") {
        opened = run(readers.png, "PNG", path);
        pngTried = true;
    } else if (extension == ".VLF") {
        opened = run(readers.layered, "VLF", path);
        layeredTried = true;
    } else if (extension == ".GIF" || extension == ".TIF" || extension == ".PCX") {
        opened = LoadGeneralImage(path, readers, options);
        generalTried = true;
    } else {
        opened = fromLibrary(path);
    }

    if (opened.result.code() == ReadCode::NotThisFormat && !pngTried) {
        opened = run(readers.png, "PNG", path);
        pngTried = true;
    }
    if (opened.result.code() == ReadCode::NotThisFormat && !layeredTried) {
        opened = run(readers.layered, "VLF", path);
        layeredTried = true;
    }
    if (opened.result.code() == ReadCode::Failure && !generalTried)
        opened = LoadGeneralImage(path, readers, options);

    const ReadCode code = opened.result.code();
    if (code == ReadCode::NotThisFormat || code == ReadCode::Broken)
        return opened;
    if (code == ReadCode::Failure) {
        if (options.showMessages)
            ShowStringMessage(kUnknownFormatString);
        return opened;
    }
    if (options.promoteTo24)
        promoteIfNeeded(opened);
    return opened;
}

void SetBackgroundLoading(bool background)
{
    backgroundLoading = background;
}

}  // namespace lv
