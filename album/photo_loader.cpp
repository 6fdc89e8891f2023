#include "album/photo_loader.h"

#include "common/failure_notices.h"
#include "common/ui_service.h"
#include "edit/layered_format.h"
#include "edit/psd/psd_import.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/format_registry.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/metadata/upright_step.h"

#include <array>

namespace lv::album {
namespace {

enum class Reader { Layered, Png, GifStream, PcxWhole, Psd, General };

Reader chooseReader(std::string_view extension)
{
    struct Choice {
        std::string_view lower, upper;
        Reader reader;
    };
    static constexpr std::array<Choice, 5> kChoices = {{
        {"vlf", "VLF", Reader::Layered},
        {"png", "PNG", Reader::Png},
        {"gif", "GIF", Reader::GifStream},
        {"pcx", "PCX", Reader::PcxWhole},
        {"psd", "PSD", Reader::Psd},
    }};
    for (const Choice& c : kChoices)
        if (extension == c.lower || extension == c.upper)
            return c.reader;
    return Reader::General;
}

ReadResult runReader(const ReaderFunction& reader, const std::string& path)
{
    return reader ? reader(path) : ReadResult(ReadCode::Failure);
}

}  // namespace

DocumentReaders AlbumPhotoReaders()
{
    DocumentReaders readers = LibraryDocumentReaders();
    readers.layered = [](const std::string& path) { return ReadLayeredFlattened(path); };
    readers.psd = [](const std::string& path) { return ReadPsdFlattened(path); };
    return readers;
}

std::string_view PhotoExtension(std::string_view path)
{
    const auto dot = path.find_last_of('.');
    if (dot == std::string_view::npos)
        return {};
    const std::string_view extension = path.substr(dot + 1);
    if (extension.size() > 4 || extension.find('/') != std::string_view::npos)
        return {};
    return extension;
}

bool GeneralReaderTakesAsJpeg(std::string_view path)
{
    const std::string_view extension = PhotoExtension(path);
    if (extension.empty() || chooseReader(extension) != Reader::General)
        return false;
    const ImageFormat* format = FindFormatByExtension(DispatchExtension(path));
    return format && format->name == "JPG";
}

bool SafeOnWorkerThreads(std::string_view path)
{
    const Reader reader = chooseReader(PhotoExtension(path));
    return reader != Reader::Layered && reader != Reader::Psd;
}

ReadResult LoadPhotoForAlbum(const std::string& path, const DocumentReaders& readers)
{
    const std::string_view extension = PhotoExtension(path);
    if (extension.empty())
        return ReadCode::Failure;
    ui::BusyCursor busy;
    ReadResult result = ReadCode::Failure;
    switch (chooseReader(extension)) {
    case Reader::Layered: result = runReader(readers.layered, path); break;
    case Reader::Png:
        result = runReader(readers.png, path);
        ApplyPhotoMetadata(result, path);
        break;
    case Reader::GifStream: result = runReader(readers.gifStream, path); break;
    case Reader::PcxWhole: result = runReader(readers.pcxWhole, path); break;
    case Reader::Psd: result = runReader(readers.psd, path); break;
    case Reader::General: {
        LoadedImage loaded = LoadImageFileDetailed(path, false);
        // A picture read as far as it goes keeps what was wrong with it; a picture not read
        // at all is explained by the caller.
        FileFailure kept{FileProblem::None, {}, std::move(loaded.failure.notices)};
        if (loaded.image) {
            kept.problem = loaded.failure.problem;
            kept.detail = std::move(loaded.failure.detail);
        }
        result = loaded.image ? ReadResult(std::move(loaded.image)) : ReadResult(ReadCode::Failure);
        result.setFailure(std::move(kept));
        break;
    }
    }
    // The readers' words are shown here, once: the album's callers hear nothing more.
    ShowFailureNotices(result.failure());
    result.setFailure(WithoutNotices(result.failure()));
    if (!result.ok() || DibGetType(result.image()) == IMG_RGB24)
        return result;
    FileFailure shortage;
    HDIB wide = DibPromoteTo24(result.image(), &shortage);
    ShowFailureNotices(shortage);
    if (!wide)
        return ReadCode::Failure;
    ReadResult promoted(std::move(wide));
    promoted.setFailure(result.failure());
    return promoted;
}

}  // namespace lv::album
