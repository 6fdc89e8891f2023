#pragma once
// Small pictures of the skin known by their resource ids: the layer palette's eye and lock.
// The skin generator draws them into the program folder; the palette shows them at the
// parts of its rows, which are as large as the pictures.

#include <string>

namespace lv::skin {

inline constexpr int kEyeShownBitmap = 1210;
inline constexpr int kEyeHiddenBitmap = 1213;
inline constexpr int kMaskLockedBitmap = 1214;
inline constexpr int kMaskUnlockedBitmap = 1215;

struct SkinBitmap {
    int id;
    int width;
    int height;
};

inline constexpr SkinBitmap kSkinBitmaps[] = {
    {kEyeShownBitmap, 24, 23},
    {kEyeHiddenBitmap, 24, 23},
    {kMaskLockedBitmap, 21, 21},
    {kMaskUnlockedBitmap, 21, 21},
};

// "ui/bitmap1210.bmp": below the program folder.
inline std::string SkinBitmapFile(int id)
{
    return "ui/bitmap" + std::to_string(id) + ".bmp";
}

}  // namespace lv::skin
