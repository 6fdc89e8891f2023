#pragma once
// Answers a test gives the source manager's dialogs as soon as they show, read from the
// environment in test builds only (LV_TEST_DRIVER); a release build's dialogs wait for the user.
//   LUMIVISTA_TEST_SOURCE_DIALOG=scan|cancel  the button a source's dialog presses
//   LUMIVISTA_TEST_SOURCE_SELECT=N|cancel     the selection dialog's answer (a row or Cancel)

#include <cstdlib>
#include <optional>
#include <string>

namespace lv::twain {

#ifdef LV_TEST_DRIVER

namespace detail {
inline std::optional<std::string> TestAnswer(const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? std::optional<std::string>(value) : std::nullopt;
}
}  // namespace detail

inline std::optional<std::string> SourceDialogTestAnswer()
{
    return detail::TestAnswer("LUMIVISTA_TEST_SOURCE_DIALOG");
}
inline std::optional<std::string> SelectDialogTestAnswer()
{
    return detail::TestAnswer("LUMIVISTA_TEST_SOURCE_SELECT");
}

#else

inline std::optional<std::string> SourceDialogTestAnswer()
{
    return std::nullopt;
}
inline std::optional<std::string> SelectDialogTestAnswer()
{
    return std::nullopt;
}

#endif

}  // namespace lv::twain
