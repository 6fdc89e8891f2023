#include "imagelib/codecs/library_messages.h"

#include "common/string_table.h"
#include "common/ui_service.h"

namespace lv {
namespace {
bool fileOpenReports = true;
}

void ShowLibraryMessage(std::string_view text)
{
    ui::Current().showMessage(text, ui::kWarningTitle, ui::Icon::Exclamation);
}

void ShowDetailedMessage(std::string_view text, std::string_view detail)
{
    ShowLibraryMessage(std::string(text) + " --- " + std::string(detail));
}

void ShowDetailedMessage(std::string_view text, long number)
{
    ShowLibraryMessage(std::string(text) + " --- " + std::to_string(number));
}

void ShowStringMessage(int stringId)
{
    ShowLibraryMessage(LoadString(stringId));
}

void ShowDetailedStringMessage(int stringId, std::string_view detail)
{
    ShowDetailedMessage(LoadString(stringId), detail);
}

void SetFileOpenReports(bool enabled)
{
    fileOpenReports = enabled;
}

void ReportFileOpenFailure(std::string_view path)
{
    if (fileOpenReports)
        ShowLibraryMessage(std::string(kCannotOpenMessage) + " -- " + std::string(path));
}

}  // namespace lv
