#include "app/widgets/program_icon.h"

#include "common/program_paths.h"

namespace lv::app {

QIcon ProgramIcon()
{
    const QString file = QString::fromStdString(ProgramFile(kProgramIconFile).string());
    const QPixmap logo(file);
    return logo.isNull() ? QIcon() : QIcon(logo);
}

}  // namespace lv::app
