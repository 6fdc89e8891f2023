#pragma once
// The mail client's windows as the route knows them: their classes and titles, compared
// whole and exactly.

#include <string_view>

namespace lv::sharing::client {

inline constexpr std::string_view kMainClass = "AOL Frame25";
inline constexpr std::string_view kMainTitle = "America  Online";  // two blanks
inline constexpr std::string_view kWriteMailTitle = "Write Mail";
inline constexpr std::string_view kAttachmentsTitle = "Attachments";
inline constexpr std::string_view kAttachTitle = "Attach";
inline constexpr std::string_view kIconClass = "_AOL_Icon";
inline constexpr std::string_view kToolbarClass = "_AOL_Toolbar";
inline constexpr std::string_view kEditClass = "Edit";

// The click values: the toolbar icon gets 10, every other button 5.
inline constexpr unsigned kToolbarClickValue = 10;
inline constexpr unsigned kButtonClickValue = 5;
inline constexpr int kWriteMailButtonWidth = 70;
inline constexpr int kWriteMailButtonHeight = 24;
inline constexpr unsigned kOkCommand = 1;

}  // namespace lv::sharing::client
