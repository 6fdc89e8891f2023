#include "app/core/recovery/recovery_notices.h"

#include "common/string_table.h"

#include <algorithm>

namespace lv {
namespace {

constexpr int kUnreadableCopy = 36209;
constexpr std::size_t kNamesShown = 5;

}  // namespace

void RecoveryNotices::unreadableCopy(std::string name)
{
    unreadable_.push_back(std::move(name));
}

void RecoveryNotices::thumbnailFailed(const FileFailure& failure)
{
    for (const FailureNotice& notice : failure.notices)
        if (std::find(texts_.begin(), texts_.end(), notice.text) == texts_.end())
            texts_.push_back(notice.text);
}

std::string RecoveryNotices::summary() const
{
    std::string text;
    if (!unreadable_.empty()) {
        text = std::string(LoadString(kUnreadableCopy)) + " --- ";
        for (std::size_t i = 0; i < unreadable_.size() && i < kNamesShown; ++i)
            text += (i ? ", " : "") + unreadable_[i];
        if (unreadable_.size() > kNamesShown)
            text += " e mais " + std::to_string(unreadable_.size() - kNamesShown) + " cópias";
    }
    for (const std::string& notice : texts_)
        text += (text.empty() ? "" : "\n") + notice;
    return text;
}

}  // namespace lv
