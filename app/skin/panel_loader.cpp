#include "app/skin/panel_loader.h"

#include "app/skin/skin_file.h"
#include "common/failure_notices.h"
#include "common/out_of_memory.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <cstring>

namespace lv::skin {
namespace {

void ShowComponentError(int message)
{
    ui::Current().showMessage(LoadString(message), ui::kWarningTitle, ui::Icon::Exclamation);
}

std::string JoinPath(const std::string& directory, std::string_view relative)
{
    if (directory.empty())
        return std::string(relative);
    return directory.back() == '/' ? directory + std::string(relative) : directory + "/" + std::string(relative);
}

}  // namespace

HDIB StandardPictureDecoder::decode(PictureEncoding encoding, std::span<const std::uint8_t> bytes) const
{
    MemorySource source(bytes);
    if (encoding == PictureEncoding::Jpeg)
        return jpeg_ ? jpeg_(source).take() : HDIB{};
    ReadResult read = ReadBmp(source);
    ShowFailureNotices(read.failure());
    return read.take();
}

HDIB PictureFromPackedDib(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kDibHeaderSize)
        return {};
    HDIB dib = HDIB::AllocateZeroed(bytes.size());
    if (!dib)
        return {};
    std::memcpy(dib.data(), bytes.data(), bytes.size());
    if (dib.header().biSize != kDibHeaderSize || dib.header().biCompression != 0 || !dib.hasValidLayout())
        return {};
    return dib;
}

std::optional<Rect> ControlRect(const LoadedPanel& panel, int controlId)
{
    for (const LoadedButton& b : panel.buttons)
        if (b.definition.controlId == controlId && !b.rect.empty())
            return b.rect;
    return std::nullopt;
}

LoadedPanel LoadPanel(int panel, SkinVariant variant, const std::string& programDir, const PictureDecoder& decoder)
{
    LoadedPanel loaded;
    loaded.panel = panel;
    loaded.skinFile = std::string(PanelSkinFile(panel, variant));

    const auto backgroundBytes = ReadWholeFile(JoinPath(programDir, BackgroundFileName(panel, loaded.skinFile)));
    if (backgroundBytes)
        loaded.background = decoder.decode(BackgroundEncoding(loaded.skinFile), *backgroundBytes);
    if (!loaded.background) {
        ShowComponentError(6433);
        return loaded;
    }

    std::optional<SkinScreenButtons> stored;
    const std::string skinPath = JoinPath(programDir, loaded.skinFile);
    if (auto file = FileSource::Open(skinPath))
        stored = ReadWithinMemory(skinPath, [&] { return ReadSkinScreen(*file, panel); },
                                  [] { return std::optional<SkinScreenButtons>(); });
    if (!stored) {
        ShowComponentError(6434);
        return loaded;
    }

    for (const ButtonDefinition& definition : PanelButtons(panel)) {
        LoadedButton button{definition, {}, 0, {}};
        const std::size_t index = loaded.buttons.size();
        if (index < stored->size()) {
            const SkinButtonImages& record = (*stored)[index];
            const SkinFields& f = record.fields;
            // The file stores a corner and a size.
            button.rect = Rect::fromSize(f.x, f.y, f.width, f.height);
            button.extra = f.value2;
            if (f.recordKind == kRecordSliderThumb) {
                button.definition.kind = ButtonKind::SliderThumb;
            } else if (f.recordKind == kRecordSliderTrack) {
                button.definition.kind = ButtonKind::SliderTrack;
                button.extra = -1;
            }
            for (int state = 0; state < 3; ++state)
                button.images[state] = PictureFromPackedDib(record.pictures[state]);
        }
        loaded.buttons.push_back(std::move(button));
    }
    return loaded;
}

}  // namespace lv::skin
