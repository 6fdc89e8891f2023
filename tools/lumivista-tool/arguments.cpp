#include "arguments.h"

#include "imagelib/dib.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace lv::tool {

ParsedArguments::ParsedArguments(Arguments args, std::string_view command, std::string_view sub)
{
    std::set<std::string> flags, options;
    for (const Option& option : AcceptedOptions(FormOf(command, sub))) {
        (option.value.empty() ? flags : options).insert(std::string(option.name));
        declared_.insert(std::string(option.name));
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
            positional_.push_back(a);
            continue;
        }
        if (flags.count(a)) {
            present_.insert(a);
        } else if (options.count(a)) {
            if (i + 1 >= args.size()) {
                error_ = a + " needs a value";
                return;
            }
            present_.insert(a);
            values_[a] = args[++i];
        } else {
            error_ = "unknown option " + a;
            return;
        }
    }
}

void ParsedArguments::checkDeclared(const std::string& option) const
{
    if (declared_.count(option) == 0) {
        std::fprintf(stderr, "lumivista-tool: %s is asked for but not in the option table\n", option.c_str());
        std::abort();
    }
}

bool ParsedArguments::has(const std::string& flag) const
{
    checkDeclared(flag);
    return present_.count(flag) > 0;
}

std::optional<std::string> ParsedArguments::value(const std::string& option) const
{
    checkDeclared(option);
    const auto it = values_.find(option);
    return it == values_.end() ? std::nullopt : std::optional(it->second);
}

std::optional<int> ParsedArguments::integer(const std::string& option, int low, int high)
{
    const auto text = value(option);
    if (!text)
        return std::nullopt;
    const auto number = ParseIntegerInRange(*text, low, high);
    if (!number)
        error_ = option + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return number;
}

std::optional<long> ParseInteger(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0')
        return std::nullopt;
    return v;
}

std::optional<int> ParseIntegerInRange(const std::string& text, int low, int high)
{
    const auto number = ParseInteger(text);
    if (!number || *number < low || *number > high)
        return std::nullopt;
    return int(*number);
}

std::optional<Size> ParsePictureSize(const std::string& width, const std::string& height)
{
    const auto w = ParseIntegerInRange(width, 1, int(kMaxPictureDimension));
    const auto h = ParseIntegerInRange(height, 1, int(kMaxPictureDimension));
    if (!w || !h)
        return std::nullopt;
    return Size{*w, *h};
}

int Fail(int code, std::string_view text)
{
    std::fprintf(stderr, "lumivista-tool: %.*s\n", int(text.size()), text.data());
    return code;
}

std::vector<std::string> SplitFields(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

}  // namespace lv::tool
