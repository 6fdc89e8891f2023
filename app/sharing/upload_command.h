#pragma once
// "Enviar fotos" and "Encomendar cópias" in the program: the photos go to the service beside
// the window with a bar for each photo and "Cancelar"; the end says what went, names every
// photo that did not and why, and shows an order's number.

#include "app/sharing/download_command.h"
#include "sharing/store/photo_upload.h"

namespace lv::sharing {

class UploadCommand final : public QObject {
public:
    UploadCommand(QWidget& window, QLibrary* library, const app::TestHooks& hooks);
    ~UploadCommand() override;

    void upload(const StoreCredentials& credentials, std::vector<std::string> paths);
    void order(const StoreCredentials& credentials, const std::string& path, const PrintLine& print);
    // `make(folder, report, cancelled)` writes the web album into a temporary folder off the
    // window's thread and answers why it could not (empty when it could); the folder then goes
    // to the service as a gallery and `done` hears the outcome on the window's thread. The
    // folder is removed afterwards.
    using MakeGallery = std::function<std::string(const std::filesystem::path& folder, ProgressReport& report,
                                                  const std::function<bool()>& cancelled)>;
    void publish(const StoreCredentials& credentials, const std::string& title, MakeGallery make,
                 std::function<void(const StoreCalls& calls, const GalleryRun& run)> done);
    // Before the program ends: what is under way is cancelled and waited for.
    void stop();
    bool busy() const { return work_ && work_->busy(); }

private:
    std::optional<UploadCalls> prepare(const StoreCredentials& credentials);

    QWidget& window_;
    QtStoreLibrary library_;
    const app::TestHooks& hooks_;
    std::unique_ptr<BackgroundWork> work_;
};

}  // namespace lv::sharing
