#include "sharing/mail/send_picture.h"

#include "common/beep.h"
#include "common/string_table.h"
#include "common/ui_service.h"

namespace lv::sharing {

void SendPicture(MailDocument* active, MailRoutes& routes)
{
    if (!active) {
        ui::Beep("no picture open");
        return;
    }
    const bool saved = active->neverSaved() ? active->saveAs() : active->saveIfModified();
    if (!saved)
        return;
    const std::optional<std::string> path = routes.attachmentFor(active->title());
    if (!path)
        return;
    if (routes.tryClient(*path) != 0)
        return;
    if (!routes.mailLayerConfigured()) {
        ui::Beep("mail not configured");
        ui::Current().showMessage(LoadString(kMailNotConfiguredString), ui::kWarningTitle, ui::Icon::Exclamation);
        return;
    }
    routes.sendWithMailLayer(*path);
}

}  // namespace lv::sharing
