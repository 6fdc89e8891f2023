#pragma once
// A small parser for "positional arguments plus --flags" command lines.

#include "command.h"
#include "common/geometry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace lv::tool {

class ParsedArguments {
public:
    // `flags` take no value; `options` take the next argument. Unknown "--" words are errors.
    ParsedArguments(Arguments args, std::set<std::string> flags, std::set<std::string> options);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& flag) const { return present_.count(flag) > 0; }
    std::optional<std::string> value(const std::string& option) const;
    // The option as an integer within [low, high]; records an error otherwise.
    std::optional<int> integer(const std::string& option, int low, int high);

private:
    std::vector<std::string> positional_;
    std::set<std::string> present_;
    std::map<std::string, std::string> values_;
    std::string error_;
};

// The fields of `text` between separators; a separator at the end makes an empty last field.
std::vector<std::string> SplitFields(const std::string& text, char separator);

// A whole decimal integer, or nothing.
std::optional<long> ParseInteger(const std::string& text);
// A whole decimal integer within [low, high], or nothing.
std::optional<int> ParseIntegerInRange(const std::string& text, int low, int high);

// A width and a height each from 1 to the largest picture side, or nothing.
std::optional<Size> ParsePictureSize(const std::string& width, const std::string& height);
inline constexpr std::string_view kPictureSizeError = "WIDTH and HEIGHT must be whole numbers from 1 to 65535";

// The operation words from `first` on, each read by `parse(word, error)`; nothing, with the
// first refused word's error shown, when one is not understood.
template <class Parse>
auto ParseOperationWords(const std::vector<std::string>& words, std::size_t first, Parse parse)
    -> std::optional<std::vector<typename std::invoke_result_t<Parse, const std::string&, std::string&>::value_type>>
{
    std::vector<typename std::invoke_result_t<Parse, const std::string&, std::string&>::value_type> operations;
    for (std::size_t i = first; i < words.size(); ++i) {
        std::string error;
        auto op = parse(words[i], error);
        if (!op) {
            Fail(kExitUsage, error);
            return std::nullopt;
        }
        operations.push_back(std::move(*op));
    }
    return operations;
}

}  // namespace lv::tool
