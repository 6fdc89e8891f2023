#pragma once
// The one table of what each command accepts: the parser reads it and the usage texts are
// written from it, so neither can say what the other does not.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv::tool {

struct Option {
    std::string_view name;        // "--json"
    std::string_view value = {};  // what follows it ("N", "FILE"); empty for a flag
    bool required = false;
};

// One way of calling a command: "album add", or "convert" for a command without subcommands.
struct Form {
    std::string_view command;
    std::string_view sub;    // empty when the command has no subcommands
    std::string_view words;  // the positional arguments, as shown
    std::vector<Option> options;
    std::string_view notes = {};  // further lines under the usage (operation words and the like)
    bool writes = false;          // writes files the user named: takes --no-sync
};

std::span<const Form> Forms();
// The form of `command` (and `sub`); every caller names one the table holds.
const Form& FormOf(std::string_view command, std::string_view sub = {});
// The form a command line takes: by its first word when the command has subcommands; null
// when that word names none.
const Form* FormOfLine(std::string_view command, std::span<const std::string> args);
// The options a form accepts, the writing commands' --no-sync among them.
std::vector<Option> AcceptedOptions(const Form& form);

// "album add ALBUM FILE... [--jobs N]"
std::string FormLine(const Form& form);
// "usage: album make ... | add ... | ...", with the forms' notes below.
std::string CommandUsage(std::string_view command);
// "usage: album add ...", with its notes below.
std::string FormUsage(std::string_view command, std::string_view sub = {});

inline constexpr Option kNoSyncOption{"--no-sync"};

}  // namespace lv::tool
