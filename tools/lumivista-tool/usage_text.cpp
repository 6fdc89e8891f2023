#include "option_table.h"

namespace lv::tool {
namespace {

std::string optionText(const Option& option)
{
    std::string text(option.name);
    if (!option.value.empty())
        text += " " + std::string(option.value);
    return option.required ? text : "[" + text + "]";
}

std::string notesOf(const Form& form)
{
    return form.notes.empty() ? std::string() : "\n" + std::string(form.notes);
}

}  // namespace

std::string FormLine(const Form& form)
{
    std::string line(form.sub);
    if (!form.words.empty())
        line += (line.empty() ? "" : " ") + std::string(form.words);
    for (const Option& option : AcceptedOptions(form))
        line += (line.empty() ? "" : " ") + optionText(option);
    return line;
}

std::string CommandUsage(std::string_view command)
{
    std::string line = "usage: " + std::string(command);
    std::string notes;
    bool first = true;
    for (const Form& form : Forms()) {
        if (form.command != command)
            continue;
        line += (first ? " " : " | ") + FormLine(form);
        notes += notesOf(form);
        first = false;
    }
    return line + notes;
}

std::string FormUsage(std::string_view command, std::string_view sub)
{
    const Form& form = FormOf(command, sub);
    return "usage: " + std::string(command) + " " + FormLine(form) + notesOf(form);
}

}  // namespace lv::tool
