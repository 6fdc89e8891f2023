#include "paint_command.h"

#include "arguments.h"

namespace lv::tool {
namespace {

// Whole numbers separated by commas, exactly `count` of them within [low, high].
std::optional<std::vector<int>> numbers(const std::string& text, std::size_t count, int low, int high)
{
    std::vector<int> values;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        const auto value = ParseIntegerInRange(text.substr(from, comma == std::string::npos ? comma : comma - from), low, high);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

constexpr int kFarthest = 1000000;

}  // namespace

std::optional<std::vector<Point>> ParsePointList(const std::string& text)
{
    std::vector<Point> points;
    std::size_t from = 0;
    while (true) {
        const std::size_t semicolon = text.find(';', from);
        const auto xy = numbers(text.substr(from, semicolon == std::string::npos ? semicolon : semicolon - from), 2,
                                -kFarthest, kFarthest);
        if (!xy)
            return std::nullopt;
        points.push_back({(*xy)[0], (*xy)[1]});
        if (semicolon == std::string::npos)
            return points;
        from = semicolon + 1;
    }
}

std::optional<RgbTriple> ParseColour(const std::string& text)
{
    const auto rgb = numbers(text, 3, 0, 255);
    if (!rgb)
        return std::nullopt;
    return RgbTriple{std::uint8_t((*rgb)[0]), std::uint8_t((*rgb)[1]), std::uint8_t((*rgb)[2])};
}

std::optional<Rect> ParseRectangle(const std::string& text)
{
    const auto v = numbers(text, 4, -kFarthest, kFarthest);
    if (!v || (*v)[2] <= (*v)[0] || (*v)[3] <= (*v)[1])
        return std::nullopt;
    return Rect{(*v)[0], (*v)[1], (*v)[2], (*v)[3]};
}

}  // namespace lv::tool
