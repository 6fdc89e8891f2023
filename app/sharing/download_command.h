#pragma once
// The download page's command in the program: the photos come in beside the window with
// their progress and "Cancelar", then each opens in an image window and, while the switch
// is off, joins the current album, one at a time so the window keeps answering.

#include "app/sharing/background_work.h"
#include "sharing/store/photo_download.h"

#include <QLibrary>

#include <deque>
#include <filesystem>
#include <memory>

namespace lv::app {
class DocumentWindows;
class TestHooks;
}

namespace lv::sharing {

class WindowsAndAlbum;

// The store library the program loaded at start-up.
class QtStoreLibrary final : public StoreLibrary {
public:
    explicit QtStoreLibrary(QLibrary* library)
        : library_(library)
    {
    }
    bool loaded() const override { return library_ && library_->isLoaded(); }
    void* resolve(const char* name) const override
    {
        return loaded() ? reinterpret_cast<void*>(library_->resolve(name)) : nullptr;
    }

private:
    QLibrary* library_;
};

class DownloadCommand final : public QObject {
public:
    DownloadCommand(QWidget& window, app::DocumentWindows& documents, QLibrary* library, const app::TestHooks& hooks);
    ~DownloadCommand() override;

    void download(const StoreCredentials& credentials, bool albumSwitchOn);
    // Before the program ends (and the library goes): a download under way is cancelled
    // and waited for; photos not yet opened stay in the folder.
    void stop();
    bool busy() const;

private:
    void transferEnded(const StoreCalls& calls, const TransferResult& result);
    void deliverNext();
    void showClosingNotes();

    QWidget& window_;
    app::DocumentWindows& documents_;
    QtStoreLibrary library_;
    const app::TestHooks& hooks_;
    std::unique_ptr<BackgroundWork> transfer_;
    std::unique_ptr<WindowsAndAlbum> photos_;
    std::unique_ptr<app::TransferProgressDialog> opening_;
    std::filesystem::path folder_;
    std::deque<std::string> waiting_;
    std::size_t delivered_ = 0;
    std::string closingNotes_;
    bool albumSwitchOn_ = false;
};

}  // namespace lv::sharing
