#pragma once
// Picks the stamp, the texture of the pattern fill or the picture of brush shape 6 from the
// system album of its kind in the album browser (the shapes album holds the stamps, the
// textures album the patterns); "Outro arquivo..." takes any picture file instead.

#include <QDialog>

#include <string>

namespace lv::app {

class AlbumBrowser;

enum class PaintPictureKind { Stamp, Texture, BrushShape };

class PaintPictureDialog final : public QDialog {
public:
    PaintPictureDialog(QWidget* parent, PaintPictureKind kind, const std::string& albumPath);

    AlbumBrowser& browser() { return *browser_; }
    // The picture chosen, absolute; empty until the dialog is accepted with one.
    const std::string& chosen() const { return chosen_; }
    // Takes the browser's selected photo; without one the dialog stays.
    void accept() override;

private:
    void chooseFile();

    AlbumBrowser* browser_;
    std::string chosen_;
};

// The kind's album: the current system album of its category in the catalogue.
std::string PaintPictureAlbum(PaintPictureKind kind);

// Runs the dialog on the kind's album; the picture chosen, absolute, or empty.
std::string RunPaintPictureDialog(QWidget* parent, PaintPictureKind kind);

}  // namespace lv::app
