#pragma once
// The Photo CD options dialog: the output format and the resolution to read at.

#include "app/shell/test_hooks.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"

#include <QDialog>

class QListWidget;

namespace lv::app {

class PhotoCdOptionsWindow final : public QDialog {
public:
    PhotoCdOptionsWindow(QWidget* parent, const PhotoCdChoices& current);
    PhotoCdChoices choices() const;

    QListWidget* formats() const { return formats_; }
    QListWidget* resolutions() const { return resolutions_; }

private:
    QListWidget* formats_;
    QListWidget* resolutions_;
};

// What the image library asks when a Photo CD is read in the asking mode. Under the test
// hooks the dialog is logged and confirmed at once, like the message boxes.
class QtPhotoCdOptions final : public PhotoCdOptionsDialog {
public:
    explicit QtPhotoCdOptions(const TestHooks& hooks)
        : hooks_(hooks)
    {
    }
    std::optional<PhotoCdChoices> offer(const PhotoCdChoices& current) override;

private:
    const TestHooks& hooks_;
};

}  // namespace lv::app
