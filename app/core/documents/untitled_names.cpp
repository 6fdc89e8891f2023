#include "app/core/documents/untitled_names.h"

#include "common/string_table.h"

#include <cstdio>

namespace lv {
namespace {

constexpr std::string_view kUntitledMark = "Sem título-";
constexpr int kFilePromptString = 2322;
constexpr int kModifiedPromptString = 2363;
constexpr int kNewPromptString = 2364;

}  // namespace

std::string UntitledNames::next(std::string_view base)
{
    if (counter_ >= 100)
        counter_ = 0;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, counter_ < 10 ? "-0%d" : "-%d", counter_);
    ++counter_;
    return std::string(base) + suffix;
}

void UntitledNames::passOver(std::string_view title)
{
    if (!IsUntitledTitle(title) || title.size() < 3)
        return;
    const std::string_view suffix = title.substr(title.size() - 3);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (suffix[0] != '-' || !digit(suffix[1]) || !digit(suffix[2]))
        return;
    const int number = (suffix[1] - '0') * 10 + (suffix[2] - '0');
    if (counter_ <= number)
        counter_ = number + 1;
}

std::string UntitledNames::next(int baseStringId)
{
    return next(LoadString(baseStringId));
}

UntitledNames& ProcessUntitledNames()
{
    static UntitledNames names;
    return names;
}

bool IsUntitledTitle(std::string_view title)
{
    return title.find('/') == std::string_view::npos && title.find(kUntitledMark) != std::string_view::npos;
}

ModifiedState DocumentModifiedState(std::string_view title, bool modifiedFlag)
{
    if (IsUntitledTitle(title))
        return ModifiedState::New;
    return modifiedFlag ? ModifiedState::Modified : ModifiedState::Unchanged;
}

std::optional<std::string> ClosePromptText(std::string_view title, ModifiedState state, bool hasLayers,
                                           bool mainWindowBusy)
{
    if (mainWindowBusy || !hasLayers || state == ModifiedState::Unchanged)
        return std::nullopt;
    std::string text(LoadString(kFilePromptString));
    text += title;
    text += LoadString(state == ModifiedState::New ? kNewPromptString : kModifiedPromptString);
    return text;
}

}  // namespace lv
