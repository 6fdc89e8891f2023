#pragma once
// The panorama window ("stitchwnd"): the chosen photos in order (up, down, remove), "Juntar
// fotos" stitching them on a worker with progress while the window stays live, a preview at
// the screen's size, the ragged edges cut on request, and the result opened as a new picture.

#include "app/projects/panorama_job.h"
#include "app/shell/test_hooks.h"
#include "projects/panorama/panorama_stitch.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace lv::app {

class PanoramaWindow final : public QDialog {
public:
    // `open` takes the finished picture into a new document; false when it could not.
    using Opener = std::function<bool(HDIB picture)>;

    PanoramaWindow(QWidget* parent, std::vector<std::string> photos, Opener open, const TestHooks& hooks);
    ~PanoramaWindow() override;

    std::vector<std::string> photos() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void moveCurrent(int step);
    void removeCurrent();
    void stitch();
    void stitched(panorama::Panorama result);
    void showPreview();
    void openResult();
    void updateButtons();

    const TestHooks& hooks_;
    Opener open_;
    QListWidget* list_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QCheckBox* crop_ = nullptr;
    QPushButton* stitch_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* remove_ = nullptr;
    std::optional<panorama::Panorama> whole_;    // as stitched
    std::optional<panorama::Panorama> cropped_;  // made when first asked for
    bool closeWhenDone_ = false;
    std::unique_ptr<PanoramaJob> job_;  // last: joined before the widgets go
};

}  // namespace lv::app
