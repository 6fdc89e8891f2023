#pragma once
// The preview pane of the file dialogs ("previewwnd"): the picture of the file chosen, read
// by the program's own readers, fitted into the pane with its size in pixels beneath.
// Reading waits until the choice has rested a moment, so walking a folder stays quick.

#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <string>

namespace lv::app {

inline constexpr char kPreviewClass[] = "previewwnd";
inline constexpr int kPreviewDelayMilliseconds = 150;

class PicturePreview final : public QWidget {
public:
    explicit PicturePreview(QWidget* parent);

    // The file now chosen; an empty name or a folder clears the pane.
    void choose(const QString& path);
    // Reads the chosen file at once.
    void showNow();

    const QImage& picture() const { return picture_; }
    QString caption() const { return caption_->text(); }

private:
    QString chosen_;
    QImage picture_;  // fitted into the pane
    QLabel* view_;
    QLabel* caption_;
    QTimer delay_;
};

// The picture of a file for a preview, at most `side` pixels a side, read without a word to
// the user (the preview shows nothing for a file it can't read); null when unreadable.
QImage PreviewPicture(const std::string& path, int side, QSize* pictureSize = nullptr);

}  // namespace lv::app
