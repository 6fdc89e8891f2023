#include "projects/project_picture.h"

#include "common/failure_notices.h"
#include "edit/layer_commands.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/psd/psd_import.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/shared_picture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace lv {
namespace {

std::string lastThreeLowered(const std::string& path)
{
    std::string tail = path.substr(path.size() < 3 ? 0 : path.size() - 3);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return tail;
}

HDIB at24Bits(const HDIB& picture)
{
    return picture.bitCount() == 24 ? CopyPicture(picture) : DibPromoteTo24(picture);
}

std::optional<ProjectPicture> fromStack(LayerStack& stack)
{
    if (stack.layerCount < 1)
        return std::nullopt;
    // The pieces are read for their pixels only: nothing of theirs goes to an undo table.
    stack.undo = nullptr;
    ProjectPicture picture;
    if (stack.layerCount == 1) {
        const LayerRecord& layer = stack.layers[0];
        picture.image = at24Bits(layer.image.read());
        picture.mask = HasExactGreyTable(layer.mask.read()) ? CopyPicture(layer.mask.read()) : ConvertToGrey(layer.mask.read());
        if (!picture.image || !picture.mask)
            return std::nullopt;
        return picture;
    }
    if (!FlattenLayers(stack))
        return std::nullopt;
    picture.image = at24Bits(stack.layers[0].image.read());
    if (!picture.image)
        return std::nullopt;
    return picture;
}

std::optional<ProjectPicture> flattenedPsd(const std::string& path)
{
    PsdOpened opened = OpenPsdFile(path, PsdNotices::Quiet);
    if (!opened.stack)
        return std::nullopt;
    opened.stack->undo = nullptr;
    if (!FlattenLayers(*opened.stack))
        return std::nullopt;
    ProjectPicture picture{at24Bits(opened.stack->layers[0].image.read()), {}};
    if (!picture.image)
        return std::nullopt;
    return picture;
}

}  // namespace

std::optional<ProjectPicture> LoadLayeredPicture(const std::string& path)
{
    if (lastThreeLowered(path) == "psd") {
        PsdOpened opened = OpenPsdFile(path, PsdNotices::Quiet);
        return opened.stack ? fromStack(*opened.stack) : std::nullopt;
    }
    auto stack = ReadLayeredFile(path);
    return stack ? fromStack(*stack) : std::nullopt;
}

std::optional<ProjectPicture> LoadDroppedPicture(const std::string& path)
{
    const std::string kind = lastThreeLowered(path);
    if (kind == "vlf")
        return LoadLayeredPicture(path);
    if (kind == "psd")
        return flattenedPsd(path);
    OpenOptions options;
    options.promoteTo24 = true;
    options.showMessages = false;
    OpenedImage opened = LoadGeneralImage(path, LibraryDocumentReaders(), options);
    ShowFailureNotices(opened.result.failure());
    if (!opened.result.ok())
        return std::nullopt;
    HDIB image = opened.result.take();
    if (image.bitCount() != 24)
        image = DibPromoteTo24(image);
    if (!image)
        return std::nullopt;
    return ProjectPicture{std::move(image), {}};
}

bool ProjectFileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace lv
