#pragma once
// Loading one panel for a screen: its background picture beside the skin file, and its
// buttons' places and pictures from the skin file, bound to the definition table.

#include "app/skin/button_table.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv::skin {

// Turns stored picture bytes into a picture. Backgrounds are bitmap files or JPEG streams;
// button pictures are packed DIBs (decoded by the loader itself).
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    virtual HDIB decode(PictureEncoding encoding, std::span<const std::uint8_t> bytes) const = 0;
};

// Bitmap files through the image library's reader; JPEG streams through the reader given
// (none: JPEG backgrounds fail to load).
class StandardPictureDecoder final : public PictureDecoder {
public:
    using JpegReader = std::function<ReadResult(ByteSource&)>;
    explicit StandardPictureDecoder(JpegReader jpeg = {})
        : jpeg_(std::move(jpeg))
    {
    }
    HDIB decode(PictureEncoding encoding, std::span<const std::uint8_t> bytes) const override;

private:
    JpegReader jpeg_;
};

// A copy of a packed DIB as a picture; null unless the bytes hold a complete one.
HDIB PictureFromPackedDib(std::span<const std::uint8_t> bytes);

struct LoadedButton {
    ButtonDefinition definition;  // the table row, with the kind turned into a slider kind when the file says so
    Rect rect;                    // from the skin file, panel coordinates; empty when the file lacks the button
    int extra = 0;                // word 14: the record's last value, −1 for slider tracks
    std::array<HDIB, 3> images;   // normal, pressed, hover (null where the file has none)
};

struct LoadedPanel {
    int panel = -1;
    std::string skinFile;  // relative to the program folder
    HDIB background;
    std::vector<LoadedButton> buttons;
};

// The place of a control in a loaded panel (panel coordinates); nothing when the skin file
// did not place it.
std::optional<Rect> ControlRect(const LoadedPanel& panel, int controlId);

// Loads a panel from the program folder. A background that can't be read shows message
// 6433 and leaves the panel empty; a skin file that can't be read shows 6434 and leaves it
// without buttons. Neither stops the program.
LoadedPanel LoadPanel(int panel, SkinVariant variant, const std::string& programDir, const PictureDecoder& decoder);

}  // namespace lv::skin
