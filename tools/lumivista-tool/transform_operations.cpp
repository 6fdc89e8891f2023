#include "transform_command.h"

#include "arguments.h"

#include <array>
#include <cmath>
#include <sstream>
#include <vector>

namespace lv::tool {
namespace {

std::optional<double> parseDegrees(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    std::size_t used = 0;
    try {
        const double value = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(value) || std::abs(value) > 36000)
            return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::array<int, 4>> parseInts(const std::string& text, std::size_t count)
{
    const auto parts = SplitFields(text, ',');
    if (parts.size() != count)
        return std::nullopt;
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = ParseIntegerInRange(parts[i], -100000, 100000);
        if (!v)
            return std::nullopt;
        values[i] = *v;
    }
    return values;
}

std::optional<std::pair<int, int>> parseSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = ParseIntegerInRange(text.substr(0, x), 1, 65535);
    const auto h = ParseIntegerInRange(text.substr(x + 1), 1, 65535);
    if (!w || !h)
        return std::nullopt;
    return std::pair{*w, *h};
}

std::optional<CanvasAnchor> parseAnchor(const std::string& text)
{
    static constexpr std::array<std::string_view, 9> kNames{"tl", "t", "tr", "l", "c", "r", "bl", "b", "br"};
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (text == kNames[i] || text == std::to_string(i))
            return CanvasAnchor(int(i));
    return std::nullopt;
}

}  // namespace

std::optional<TransformOperation> ParseTransformOperation(const std::string& text, std::string& error)
{
    const auto equals = text.find('=');
    const std::string name = text.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : text.substr(equals + 1);
    if (name == "rotate" || name == "spin") {
        if (const auto degrees = parseDegrees(value))
            return name == "rotate" ? TransformOperation(RotateOperation{*degrees}) : SpinOperation{*degrees};
        error = name + " takes an angle in degrees";
    } else if (name == "resize") {
        const auto v = parseInts(value, 4);
        if (v && (*v)[0] < (*v)[2] && (*v)[1] < (*v)[3])
            return ResizeOperation{{(*v)[0], (*v)[1], (*v)[2], (*v)[3]}};
        error = "resize takes L,T,R,B with L < R and T < B";
    } else if (name == "move") {
        if (const auto v = parseInts(value, 2))
            return MoveOperation{{(*v)[0], (*v)[1]}};
        error = "move takes DX,DY";
    } else if (name == "flip") {
        if (value == "h" || value == "v")
            return FlipOperation{value == "h"};
        error = "flip takes h or v";
    } else if (name == "turn") {
        if (value == "left" || value == "right")
            return TurnOperation{value == "right"};
        error = "turn takes left or right";
    } else if (name == "size") {
        if (const auto size = parseSize(value))
            return SizeOperation{size->first, size->second};
        error = "size takes WxH";
    } else if (name == "canvas") {
        const auto parts = SplitFields(value, ',');
        const auto size = parts.empty() ? std::nullopt : parseSize(parts[0]);
        const auto anchor = parts.size() == 2 ? parseAnchor(parts[1]) : std::optional(CanvasAnchor::Centre);
        if (size && anchor && parts.size() <= 2)
            return CanvasOperation{size->first, size->second, *anchor};
        error = "canvas takes WxH[,ANCHOR] with ANCHOR one of tl t tr l c r bl b br";
    } else {
        error = "unknown operation " + text;
    }
    return std::nullopt;
}

}  // namespace lv::tool
