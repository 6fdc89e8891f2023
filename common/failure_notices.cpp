#include "common/failure_notices.h"

#include "common/ui_service.h"

namespace lv {

void ShowFailureNotices(const FileFailure& failure)
{
    for (const FailureNotice& notice : failure.notices) {
        const std::string_view title =
            notice.title == NoticeTitle::SystemMessage ? ui::kSystemMessageTitle : ui::kWarningTitle;
        ui::Current().showMessage(notice.text, title, ui::Icon::Exclamation);
    }
}

}  // namespace lv
