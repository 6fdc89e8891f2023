#pragma once
// The scanner feature of the main window: the acquisition page's "Digitalizar" and
// "Origem" buttons, the main window's scan command 126, the acquisition stage of the
// event filter chain, and pictures received from the source (a new image window on the
// acquisition pages, a stored photo in the open album on the album page).

#include "acquire/acquired_photo.h"
#include "acquire/twain_session.h"
#include "app/shell/event_filter_chain.h"
#include "app/shell/test_hooks.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace lv::app {

class DocumentWindows;
class MainWindow;

inline constexpr int kScanCommand = 126;
inline constexpr int kAcquisitionScreen = 1;
inline constexpr int kVideoCaptureScreen = 26;
inline constexpr int kAlbumScreen = 18;

class Acquisition final : public MessageFilter, public twain::AcquisitionHost {
public:
    Acquisition(DocumentWindows& documents, const TestHooks& hooks);
    ~Acquisition() override;

    // Reads "MemoryScan" and "MultiScan", takes the buttons and command 126, and becomes
    // the chain's acquisition stage.
    void attach(MainWindow& mainWindow, EventFilterChain& filters);
    void detach(EventFilterChain& filters);

    // What the album page lends: whether it has an album open, and the step that adds a
    // stored photo to it (updating its grid and selecting the photo; twain::AddAcquiredPhoto
    // does the album's part).
    void setOpenAlbum(std::function<bool()> albumOpen, twain::AlbumStep step);
    bool albumOpen() const { return albumOpen_ && albumOpen_(); }

    bool filterEvent(QObject* receiver, QEvent* event) override;

#ifdef LV_TEST_DRIVER
    // "acquire" (the page's "Digitalizar"), "scan" (command 126) and "page N" (a screen
    // switch) on the test socket.
    bool handleTestCommand(const QString& command);
#endif

    // A picture that arrived: where it goes depends on the page shown.
    void receivePicture(HDIB picture);
    // A new image window on the picture, named from the untitled base (string 162, 113, ...).
    bool openPictureWindow(HDIB picture, int baseString);
    // Stored under "photos" with the day's camera name and added to the open album; false
    // when it could not be written.
    bool storeInAlbum(HDIB picture);

private:
    // AcquisitionHost
    void setMainWindowEnabled(bool enabled) override;
    void bringToFront() override;
    void pictureAcquired(HDIB picture) override { receivePicture(std::move(picture)); }

    void scanFromPage();
    void chooseSourceOnPage();
    void scanCommand();

    DocumentWindows& documents_;
    const TestHooks& hooks_;
    QPointer<MainWindow> mainWindow_;
    std::unique_ptr<twain::SourceManagerFile> library_;
    std::unique_ptr<twain::TwainSession> session_;
    std::optional<int> chosenSource_;  // the acquisition page's list entry
    std::function<bool()> albumOpen_;
    twain::AlbumStep albumStep_;
};

}  // namespace lv::app
