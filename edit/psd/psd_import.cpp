#include "edit/psd/psd_import.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "edit/compositing.h"
#include "edit/layered_document.h"
#include "edit/layers.h"
#include "imagelib/dib_alloc.h"
#include "common/warning_messages.h"

#include <initializer_list>

namespace lv {
namespace {

constexpr int kCannotLocateString = 1112;
constexpr int kUnsupportedModeString = 3090;
constexpr int kUnsupportedDepthString = 3091;
constexpr int kApproximatedLayersString = 3092;
constexpr int kMergedLayersString = 3093;
// The file format's own default resolution, 72 dots per inch.
constexpr std::int32_t kDefaultPelsPerMeter = 2835;

// The entry with its "%s"/"%d" placeholders replaced in order.
std::string formatString(int id, std::initializer_list<std::string> values)
{
    std::string text(LoadString(id));
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = text.find('%', from);
        if (at == std::string::npos || at + 1 >= text.size())
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

std::string modeName(std::uint16_t mode)
{
    const std::pair<std::uint16_t, int> names[] = {{kPsdBitmap, 3094}, {kPsdIndexed, 3095},     {kPsdCmyk, 3096},
                                                   {kPsdMultichannel, 3097}, {kPsdDuotone, 3098}, {kPsdLab, 3099}};
    for (const auto& [number, id] : names)
        if (number == mode)
            return std::string(LoadString(id));
    return std::to_string(mode);
}

void show(const std::string& text)
{
    ui::Current().showMessage(text, ui::kWarningTitle, ui::Icon::Exclamation);
}

std::string joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const std::string& name : names)
        out += (out.empty() ? "" : ", ") + (name.empty() ? std::string("\"\"") : name);
    return out;
}

}  // namespace

std::unique_ptr<LayerStack> MakeStackFromPsd(PsdDocument document)
{
    FileDocument file;
    file.width = document.width;
    file.height = document.height;
    file.depth = 24;
    file.xPelsPerMeter = document.xPelsPerMeter ? document.xPelsPerMeter : kDefaultPelsPerMeter;
    file.yPelsPerMeter = document.yPelsPerMeter ? document.yPelsPerMeter : kDefaultPelsPerMeter;
    file.current = 0;
    for (PsdLayer& layer : document.layers) {
        FileLayer& out = file.layers.emplace_back();
        out.image = std::move(layer.image);
        out.mask = std::move(layer.mask);
        out.kind = LAYER_IMAGE;
        out.x = layer.x;
        out.y = layer.y;
        out.name = std::move(layer.name);
        out.linked = true;
        out.visible = layer.visible;
        out.maskLocked = true;
        out.opacity = layer.opacity;
    }
    return MakeStackFromFile(std::move(file));
}

void ShowPsdMessages(const PsdDecode& decode, PsdNotices notices)
{
    switch (decode.problem) {
    case PsdProblem::UnsupportedMode:
        show(formatString(kUnsupportedModeString, {modeName(decode.header.mode)}));
        return;
    case PsdProblem::UnsupportedDepth:
        show(formatString(kUnsupportedDepthString, {std::to_string(decode.header.depth)}));
        return;
    case PsdProblem::None:
        break;
    default:
        return;
    }
    if (notices == PsdNotices::Quiet)
        return;
    const PsdDocument& document = decode.document;
    if (!document.approximated.empty())
        show(formatString(kApproximatedLayersString, {joined(document.approximated)}));
    if (document.merged)
        show(formatString(kMergedLayersString, {std::to_string(document.fileLayers), std::to_string(kPsdKeptLayers),
                                                std::to_string(document.merged)}));
}

PsdOpened OpenPsd(ByteSource& source, PsdNotices notices)
{
    PsdOpened opened;
    PsdDecode decode = DecodePsd(source);
    ShowPsdMessages(decode, notices);
    switch (decode.problem) {
    case PsdProblem::None:
        break;
    case PsdProblem::NotPsd:
        opened.code = ReadCode::NotThisFormat;
        return opened;
    case PsdProblem::UnsupportedMode:
    case PsdProblem::UnsupportedDepth:
        opened.code = ReadCode::Broken;
        return opened;
    case PsdProblem::Broken:
        opened.code = decode.cancelled ? ReadCode::Broken : ReadCode::Failure;
        opened.failure = decode.failure;
        return opened;
    }
    opened.stack = MakeStackFromPsd(std::move(decode.document));
    if (!opened.stack)
        return opened;
    CompositeLayers(*opened.stack);
    opened.code = ReadCode::Image;
    return opened;
}

PsdOpened OpenPsdFile(const std::string& path, PsdNotices notices)
{
    auto source = FileSource::Open(path);
    if (!source) {
        ShowDetailedStringMessage(kCannotLocateString, path);
        PsdOpened opened;
        opened.code = ReadCode::NotThisFormat;
        return opened;
    }
    return OpenPsd(*source, notices);
}

ReadResult ReadPsdFlattened(const std::string& path)
{
    PsdOpened opened = OpenPsdFile(path, PsdNotices::Quiet);
    if (!opened.stack)
        return ReadResult(opened.code, opened.failure);
    HDIB picture = DibDuplicate(opened.stack->composite);
    return picture ? ReadResult(std::move(picture)) : ReadResult(ReadCode::Failure);
}

}  // namespace lv
