// lumivista-tool capture screen: the desktop, or a window by its X id with its frame
// (--window) or only its client area (--client), clipped to the screen.

#include "acquire/screen/qt_screen_grab.h"
#include "acquire/screen/qt_screenshot_portal.h"
#include "acquire/screen/x11_windows.h"
#include "arguments.h"
#include "image_io.h"
#include "scan_capture_commands.h"

#include <QGuiApplication>

#include <cstdlib>

namespace lv::tool {
namespace {

std::optional<screen::WindowId> ParseWindowId(const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end || errno || value == 0 || value > 0xFFFFFFFFul)
        return std::nullopt;
    return screen::WindowId(value);
}

}  // namespace

int CaptureScreen(Arguments args)
{
    ParsedArguments parsed(args, "capture", "screen");
    const auto usage = [] { return Fail(kExitUsage, FormUsage("capture", "screen")); };
    if (!parsed.ok() || parsed.positional().size() != 1 || (parsed.value("--window") && parsed.value("--client")))
        return usage();
    const auto idText = parsed.value("--window") ? parsed.value("--window") : parsed.value("--client");
    const auto id = idText ? ParseWindowId(*idText) : std::nullopt;
    if (idText && !id)
        return usage();
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return Fail(kExitCannotRead, "no display to capture (neither DISPLAY nor WAYLAND_DISPLAY is set)");

    static int argc = 1;
    static char name[] = "lumivista-tool";
    static char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    HDIB shot;
    if (screen::IsWaylandSession()) {
        if (id)
            return Fail(kExitCannotRead, "a Wayland session does not let programs read other windows");
        const screen::PortalShot portal = screen::TakePortalScreenshot(false);
        if (portal.image.isNull())
            return Fail(kExitCannotRead, "the desktop portal gave no picture: " + portal.failure.toStdString());
        shot = screen::PictureFromScreenImage(portal.image);
    } else if (id) {
        const screen::X11Windows windows;
        const screen::WindowTarget target = windows.windowById(*id);
        const auto rect = target.kind != screen::PickedTarget::Window ? std::nullopt
                          : parsed.value("--window")                  ? windows.frameRect(target)
                                                                      : windows.clientRect(target);
        if (!rect)
            return Fail(kExitCannotRead, "no window " + *idText + " to capture");
        shot = screen::GrabScreenRect(*rect);
        if (!shot)
            return Fail(kExitCannotRead, "window " + *idText + " lies off the screen");
    } else {
        shot = screen::GrabScreenRect(screen::ScreenBounds());
    }
    if (!shot)
        return Fail(kExitCannotRead, "the screen could not be copied");
    return WritePicture(shot, parsed.positional()[0], false);
}

}  // namespace lv::tool
