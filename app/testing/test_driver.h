#pragma once
// The test driver's commands on the single-instance socket (test builds only): the parts of the
// program are asked in turn, and the first that knows a command acts on it.

#include <QString>

#include <functional>
#include <memory>

namespace lv::app {

class Acquisition;
class AlbumPage;
class DocumentWindows;
class InternetPages;
class OrientationTool;
class ProjectScreens;
class RecoveryService;
class ScreenCapturePage;
class VideoCapturePage;

// The parts that take test commands. The album page and the project screens come with the
// main window, so they are asked only once they exist.
struct TestCommandTakers {
    DocumentWindows& documents;
    Acquisition& acquisition;
    VideoCapturePage& video;
    ScreenCapturePage& screenShots;
    const std::unique_ptr<AlbumPage>& albumPage;
    const std::unique_ptr<ProjectScreens>& projects;
    RecoveryService& recovery;
    const std::unique_ptr<InternetPages>& internet;
    const std::unique_ptr<OrientationTool>& orientation;
};

// The shell's handler for the commands it does not know itself; false when no part knows one.
std::function<bool(const QString&)> TestCommandChain(TestCommandTakers takers);

}  // namespace lv::app
