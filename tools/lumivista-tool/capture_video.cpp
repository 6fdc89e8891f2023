// lumivista-tool capture video: one frame through the program's capture drivers (the first
// listed, or the one named), as the capture dialog's "&Capturar" takes it.

#include "acquire/video/video_capture.h"
#include "arguments.h"
#include "image_io.h"
#include "scan_capture_commands.h"

#include <QString>

#include <algorithm>

namespace lv::tool {
namespace {

// Ignoring case, accented letters too.
bool SameName(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

int CaptureVideo(Arguments args)
{
    ParsedArguments parsed(args, "capture", "video");
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, FormUsage("capture", "video"));
    video::SystemDriverCatalogue catalogue;
    video::VideoCapture capture(catalogue);
    if (!capture.listDrivers())
        return Fail(kExitCannotRead, "no capture driver");
    if (const auto device = parsed.value("--device")) {
        const auto& names = capture.drivers();
        const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, *device); });
        if (found == names.end()) {
            std::string known;
            for (const std::string& name : names)
                known += "\n  " + name;
            return Fail(kExitCannotRead, "no capture driver named \"" + *device + "\"; there are:" + known);
        }
        capture.select(int(found - names.begin()));
    }
    const std::string name = capture.drivers()[std::size_t(capture.selected())];
    if (!capture.start())
        return Fail(kExitCannotRead, "cannot open \"" + name + "\"");
    HDIB frame = capture.grab();
    if (!frame)
        return Fail(kExitCannotRead, "\"" + name + "\" gave no frame");
    return WritePicture(frame, parsed.positional()[0], false);
}

}  // namespace lv::tool
