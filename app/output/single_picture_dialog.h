#pragma once
// The single picture page: a preview of the sheet where the user moves and sizes the picture
// and its text (double click on the text to edit it), the frame and text options, the font,
// the orientation, and printing after the preview of the job.

#include "imagelib/dib.h"
#include "output/print/single_picture.h"

#include <QDialog>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;

namespace lv::app {

class SinglePageView;

class SinglePictureDialog final : public QDialog {
public:
    // `colourProfile`: what the picture's numbers mean (empty: sRGB), for the printer's colours.
    SinglePictureDialog(QWidget* parent, const HDIB& picture, std::string title,
                        std::vector<std::uint8_t> colourProfile = {});

    print::SinglePictureOptions& options() { return options_; }
    print::Orientation orientation() const;
    print::PrinterMetrics metrics() const;
    // The options changed from outside (tests) or by the view.
    void optionsChanged();
    const HDIB& previewPicture() const { return preview_; }
    void editText();
    // Shows the job's preview and prints when confirmed; true when printed.
    bool printWithPreview();

private:
    const HDIB& picture_;
    std::string title_;
    HDIB preview_;  // a smaller copy with the same printed size, for drawing on screen
    print::SinglePictureOptions options_;
    SinglePageView* view_;
    QCheckBox* frame_;
    QCheckBox* text_;
    QComboBox* orientation_;
};

// The text the preview shows until the user writes one.
inline constexpr char kEditTextInvitation[] = "Clique duas vezes para editar o texto";

}  // namespace lv::app
