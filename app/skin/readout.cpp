#include "app/skin/readout.h"

#include <algorithm>

namespace lv::skin {

int ReadoutFontHeight(int clientHeight)
{
    return std::max(clientHeight * 8 / 10 - 4, kReadoutMinimumFontHeight);
}

ReadoutAlign ReadoutAlignment(unsigned style)
{
    switch (style & 0x3) {
    case 1: return ReadoutAlign::Centre;
    case 2: return ReadoutAlign::Right;
    default: return ReadoutAlign::Left;
    }
}

Rect ReadoutTextRect(Size client, int textHeight)
{
    const int m = client.height / 10 + 1;
    const Rect inset = Rect::fromSize(2 * m, m, client.width - 4 * m, client.height - 2 * m);
    return Rect::fromSize(inset.left, inset.top + (inset.height() - textHeight) / 2, inset.width(), textHeight);
}

int SharedReadoutFont::heightForPaint(int clientHeight)
{
    if (!height_)
        height_ = ReadoutFontHeight(clientHeight);
    return *height_;
}

}  // namespace lv::skin
