#pragma once
// A small parser for "positional arguments plus --flags" command lines.

#include "command.h"
#include "common/geometry.h"
#include "option_table.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace lv::tool {

class ParsedArguments {
public:
    // The options of the table's form of `command` (and `sub`): a flag takes no value, any
    // other option the next argument. Unknown "--" words are errors.
    ParsedArguments(Arguments args, std::string_view command, std::string_view sub = {});

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& flag) const;
    std::optional<std::string> value(const std::string& option) const;
    // The option as an integer within [low, high]; records an error otherwise.
    std::optional<int> integer(const std::string& option, int low, int high);

private:
    // Asking for an option the form does not list is a programming error: it could never be given.
    void checkDeclared(const std::string& option) const;

    std::set<std::string> declared_;
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
