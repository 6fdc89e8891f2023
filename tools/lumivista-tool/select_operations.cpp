#include "select_command.h"

#include "arguments.h"

#include <array>
#include <sstream>

namespace lv::tool {
namespace {

std::optional<int> coordinate(const std::string& text)
{
    return ParseIntegerInRange(text, -1000000, 1000000);
}

std::optional<CombineMode> modeNamed(const std::string& name)
{
    constexpr std::array<std::pair<std::string_view, CombineMode>, 6> kModes = {{
        {"new", CombineMode::New},
        {"add", CombineMode::Add},
        {"sub", CombineMode::Subtract},
        {"and", CombineMode::Intersect},
        {"xor", CombineMode::Xor},
        {"notold", CombineMode::NewNotExisting},
    }};
    for (const auto& [text, mode] : kModes)
        if (name == text)
            return mode;
    return std::nullopt;
}

// The four numbers of a rectangle, right and bottom exclusive.
std::optional<Rect> rectangle(const std::vector<std::string>& parts)
{
    if (parts.size() < 4)
        return std::nullopt;
    const auto l = coordinate(parts[0]), t = coordinate(parts[1]), r = coordinate(parts[2]), b = coordinate(parts[3]);
    if (!l || !t || !r || !b || *r <= *l || *b <= *t)
        return std::nullopt;
    return Rect{*l, *t, *r, *b};
}

}  // namespace

std::optional<SelectOperation> ParseSelectOperation(const std::string& text, std::string& error)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos) {
        error = "not an operation: " + text;
        return std::nullopt;
    }
    const std::string kind = text.substr(0, equals);
    const std::vector<std::string> parts = SplitFields(text.substr(equals + 1), ',');
    SelectOperation op;
    std::size_t options = 0;  // where the key=value options start
    if (kind == "wand") {
        const auto x = parts.size() >= 2 ? coordinate(parts[0]) : std::nullopt;
        const auto y = parts.size() >= 2 ? coordinate(parts[1]) : std::nullopt;
        if (!x || !y) {
            error = "wand needs X,Y: " + text;
            return std::nullopt;
        }
        op.shape = WandOperation{{*x, *y}};
        options = 2;
    } else if (kind == "rect" || kind == "ellipse") {
        const auto r = rectangle(parts);
        if (!r) {
            error = kind + " needs LEFT,TOP,RIGHT,BOTTOM with right > left and bottom > top: " + text;
            return std::nullopt;
        }
        op.shape = kind == "rect" ? SelectOperation{RectangleOperation{*r}}.shape : SelectOperation{EllipseOperation{*r}}.shape;
        options = 4;
    } else if (kind == "poly") {
        const std::vector<std::string> numbers = parts.empty() ? std::vector<std::string>{} : SplitFields(parts[0], '/');
        PolygonOperation polygon;
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
            const auto x = coordinate(numbers[i]), y = coordinate(numbers[i + 1]);
            if (!x || !y)
                break;
            polygon.points.push_back({*x, *y});
        }
        if (numbers.size() < 6 || numbers.size() % 2 != 0 || polygon.points.size() * 2 != numbers.size()) {
            error = "poly needs three or more points X1/Y1/X2/Y2/...: " + text;
            return std::nullopt;
        }
        op.shape = std::move(polygon);
        options = 1;
    } else {
        error = "unknown operation " + kind + " (wand, rect, ellipse or poly)";
        return std::nullopt;
    }
    for (std::size_t i = options; i < parts.size(); ++i) {
        const std::string& option = parts[i];
        auto* wand = std::get_if<WandOperation>(&op.shape);
        if (option.rfind("mode=", 0) == 0) {
            const auto mode = modeNamed(option.substr(5));
            if (!mode) {
                error = "unknown mode in " + text + " (new, add, sub, and, xor or notold)";
                return std::nullopt;
            }
            op.mode = *mode;
        } else if (wand && option == "global") {
            wand->global = true;
        } else if (wand && option.rfind("tol=", 0) == 0) {
            const std::vector<std::string> values = SplitFields(option.substr(4), '/');
            std::optional<int> r, g, b;
            if (values.size() == 3)
                r = ParseIntegerInRange(values[0], 0, 255), g = ParseIntegerInRange(values[1], 0, 255),
                b = ParseIntegerInRange(values[2], 0, 255);
            if (!r || !g || !b) {
                error = "tol needs R/G/B from 0 to 255: " + text;
                return std::nullopt;
            }
            wand->tolerance = {*r, *g, *b};
        } else {
            error = "unknown option " + option + " in " + text;
            return std::nullopt;
        }
    }
    return op;
}

}  // namespace lv::tool
