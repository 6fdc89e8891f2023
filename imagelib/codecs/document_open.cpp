#include "imagelib/codecs/document_open.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/format_detect.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/jpeg/jpeg_for_scaling.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/metadata/upright_step.h"

#include <optional>

namespace lv {
namespace {

constexpr int kPartlyReadString = 7110;
bool backgroundLoading = false;

OpenedImage fromLibrary(const std::string& path)
{
    LoadedImage loaded = LoadImageFileDetailed(path, false);
    OpenedImage opened;
    opened.result = loaded.image ? ReadResult(std::move(loaded.image)) : ReadResult(loaded.code, loaded.failure);
    if (opened.result.ok()) {
        opened.result.setFailure(loaded.failure);
        opened.result.facts() = std::move(loaded.facts);
        opened.metadata = std::move(loaded.metadata);
    }
    if (loaded.format)
        opened.format = std::string(loaded.format->name);
    return opened;
}

OpenedImage run(const ReaderFunction& reader, std::string_view format, const std::string& path)
{
    OpenedImage opened;
    opened.result = reader ? reader(path) : ReadResult(ReadCode::NotThisFormat, {FileProblem::UnknownFormat, {}});
    opened.format = format;
    if (FormatCarriesMetadata(format))
        opened.metadata = ApplyPhotoMetadata(opened.result, path);
    return opened;
}

// The next reader's answer, after the words the ones before it said.
void replace(OpenedImage& opened, OpenedImage next)
{
    next.result.setFailure(AfterNotices(opened.result.failure(), next.result.failure()));
    opened = std::move(next);
}

void addNotice(ReadResult& result, std::string text)
{
    FileFailure failure = result.failure();
    failure.notices.push_back({std::move(text)});
    result.setFailure(std::move(failure));
}

void promoteIfNeeded(OpenedImage& opened)
{
    if (!opened.result.ok() || DibGetType(opened.result.image()) == IMG_RGB24)
        return;
    FileFailure notice = opened.result.failure();
    PictureFacts facts = std::move(opened.result.facts());
    FileFailure shortage;
    opened.result = ReadResult(DibPromoteTo24(opened.result.image(), &shortage));
    opened.result.facts() = std::move(facts);
    if (!opened.result.ok())
        notice = AfterNotices(notice, shortage ? shortage : FileFailure(FileProblem::OutOfMemory));
    opened.result.setFailure(std::move(notice));
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

OpenedImage loadGeneral(const std::string& path, const std::string& extension, const DocumentReaders& readers,
                        const OpenOptions& options)
{
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

// Gives a failure its cause when the reader named none, and words it for the user: the
// cause and the file's name, or for a picture read in part that its missing part is grey.
void report(OpenedImage& opened, const std::string& path, const OpenOptions& options, bool identified)
{
    ReadResult& result = opened.result;
    if (result.ok()) {
        if (options.showMessages && result.failure().problem == FileProblem::Truncated)
            addNotice(result, DetailedText(LoadString(kPartlyReadString), path));
        return;
    }
    // A reader that answers −2 without a cause has spoken for itself (or was cancelled).
    if (result.code() == ReadCode::Broken && !result.failure())
        return;
    // Without a signature a reader can't tell a damaged file from another format's.
    if (!result.failure() || (!identified && result.failure().problem == FileProblem::Corrupt))
        result.setFailure(AfterNotices(result.failure(), {identified ? FileProblem::Corrupt : FileProblem::UnknownFormat}));
    const FileProblem problem = result.failure().problem;
    // A cancel needs no word, and exhausted memory was worded where it ran out.
    if (options.showMessages && problem != FileProblem::Cancelled && problem != FileProblem::OutOfMemory)
        addNotice(result, FileProblemMessage(result.failure(), path));
}

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
    return loadGeneral(path, LoaderExtension(path), readers, options);
}

OpenedImage OpenDocumentImage(const std::string& path, const DocumentReaders& readers, const OpenOptions& options)
{
    FileFailure unreadable;
    const std::string content = DetectFileFormat(path, &unreadable);
    OpenedImage opened;
    if (unreadable) {
        opened.result = ReadResult(ReadCode::NotThisFormat, unreadable);
        report(opened, path, options, false);
        return opened;
    }
    // A file named for another format is read as what it holds, by that format's reader
    // alone: a file whose content is known is read once.
    const bool identified = !content.empty();
    const std::string extension = identified ? content : SaveAsExtension(path);
    bool pngTried = identified, layeredTried = identified, generalTried = identified;
    if (extension == ".PNG") {
        opened = run(readers.png, "PNG", path);
        pngTried = true;
    } else if (extension == ".VLF") {
        opened = run(readers.layered, "VLF", path);
        layeredTried = true;
    } else if (extension == ".PSD") {
        opened = run(readers.psd, "PSD", path);
    } else if (extension == ".GIF" || extension == ".TIF" || extension == ".PCX") {
        opened = loadGeneral(path, ToLowerAscii(extension.substr(1)), readers, options);
        generalTried = true;
    } else if (content == ".JPG" && options.scaleToWidth > 0 && options.scaleToHeight > 0) {
        opened = OpenJpegForScaling(path, options.scaleToWidth, options.scaleToHeight);
    } else {
        opened = fromLibrary(path);
    }

    if (opened.result.code() == ReadCode::NotThisFormat && !pngTried) {
        replace(opened, run(readers.png, "PNG", path));
        pngTried = true;
    }
    if (opened.result.code() == ReadCode::NotThisFormat && !layeredTried) {
        replace(opened, run(readers.layered, "VLF", path));
        layeredTried = true;
    }
    if (opened.result.code() == ReadCode::Failure && !generalTried)
        replace(opened, LoadGeneralImage(path, readers, options));

    report(opened, path, options, identified);
    if (opened.result.ok() && options.promoteTo24)
        promoteIfNeeded(opened);
    return opened;
}

void SetBackgroundLoading(bool background)
{
    backgroundLoading = background;
}

}  // namespace lv
