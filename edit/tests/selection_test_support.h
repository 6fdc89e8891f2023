#pragma once
// Masks and pictures as rows of text for the selection tests, and independent, obviously right
// references to compare the fast code with.

#include "edit/selection/selection_mask.h"
#include "imagelib/tests/pictures.h"

#include <cstdint>
#include <queue>
#include <random>
#include <string>
#include <vector>

namespace lv::testing {

// '#' selected, '.' not, one string per row from the top.
inline std::vector<std::string> MaskRows(const HDIB& mask)
{
    std::vector<std::string> rows;
    for (int y = 0; y < mask.height(); ++y) {
        std::string row;
        for (int x = 0; x < mask.width(); ++x)
            row += MaskSelects(mask, x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

inline HDIB MaskFromRows(const std::vector<std::string>& rows)
{
    HDIB mask = AllocateSelectionMask(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < int(rows[std::size_t(y)].size()); ++x)
            if (rows[std::size_t(y)][std::size_t(x)] == '#')
                SetMaskBitAt(MaskRowFromTop(mask, y), x);
    return mask;
}

// A 24-bit picture from rows of letters: each letter a colour.
inline HDIB PictureFromRows(const std::vector<std::string>& rows)
{
    const auto colour = [](char c) -> Rgb {
        switch (c) {
        case 'a': return {200, 10, 10};
        case 'A': return {210, 20, 5};  // within 10 of 'a' on every channel
        case 'b': return {10, 200, 10};
        default: return {0, 0, 0};
        }
    };
    const int height = int(rows.size());
    HDIB dib = AllocatePicture(int(rows[0].size()), height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < int(rows[0].size()); ++x)
            SetPixel24(dib, x, height - 1 - y, colour(rows[std::size_t(y)][std::size_t(x)]));
    return dib;
}

inline HDIB RandomMask(std::mt19937& random, int width, int height, int percent)
{
    HDIB mask = AllocateSelectionMask(width, height);
    std::uniform_int_distribution<int> roll(0, 99);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (roll(random) < percent)
                SetMaskBitAt(MaskRowFromTop(mask, y), x);
    return mask;
}

// A breadth-first flood over 4-neighbours of the pixels for which `match(x, y)` holds.
template <class Match>
std::vector<std::string> ReferenceFlood(int width, int height, int seedX, int seedY, Match match)
{
    std::vector<std::string> rows(std::size_t(height), std::string(std::size_t(width), '.'));
    if (!match(seedX, seedY))
        return rows;
    std::queue<std::pair<int, int>> queue;
    queue.push({seedX, seedY});
    rows[std::size_t(seedY)][std::size_t(seedX)] = '#';
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop();
        const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
        for (const auto& n : next) {
            const int nx = n[0], ny = n[1];
            if (nx < 0 || ny < 0 || nx >= width || ny >= height || rows[std::size_t(ny)][std::size_t(nx)] == '#')
                continue;
            if (!match(nx, ny))
                continue;
            rows[std::size_t(ny)][std::size_t(nx)] = '#';
            queue.push({nx, ny});
        }
    }
    return rows;
}

}  // namespace lv::testing
