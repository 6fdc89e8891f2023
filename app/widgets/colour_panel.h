#pragma once
// The colour panel of the main window ("Cores"): the active and the secondary colour as two
// "colorrect" swatches, a click on one choosing it anew in the colour dialog, and a mini tool
// bar that swaps them or brings back the defaults (yellow and blue).

#include "app/core/view/rgb_triple.h"
#include "app/skin/panel_loader.h"
#include "app/widgets/colour_swatch.h"
#include "app/widgets/mini_toolbar.h"

#include <QColorDialog>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace lv::app {

inline constexpr char kColourPanelName[] = "colour panel";
inline constexpr int kActiveSwatch = 1;
inline constexpr int kSecondarySwatch = 2;

struct ColourPair {
    RgbTriple active;
    RgbTriple secondary;
    friend bool operator==(const ColourPair&, const ColourPair&) = default;
};

// Yellow and blue: the defaults of the configuration keys.
ColourPair DefaultColourPair();

class ColourPanel final : public QWidget {
public:
    using Get = std::function<ColourPair()>;
    using Set = std::function<void(const ColourPair&)>;

    // `large`: laid out for the 212 × 136 box of the 1024 × 768 window, else for the 88 × 46
    // one. `bar`: the skin's panel of the tool bar's buttons.
    ColourPanel(QWidget& parent, bool large, const skin::LoadedPanel& bar, Get get, Set set);

    void swap();
    void useDefaults();
    // Opens the colour dialog for one swatch (window-modal; the choice is taken when it is
    // accepted).
    void choose(int swatch);
    QColorDialog* dialog() const { return dialog_; }
    // The colours changed elsewhere (the colour picker): the swatches show them again.
    void refresh();

    ColourSwatch& swatch(int swatch) const { return swatch == kActiveSwatch ? *active_ : *secondary_; }
    MiniToolbar& toolbar() const { return *toolbar_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ColourSwatch* swatchAt(QPoint point) const;
    void set(const ColourPair& colours);

    bool captions_ = false;
    Get get_;
    Set set_;
    ColourSwatch* active_ = nullptr;     // children
    ColourSwatch* secondary_ = nullptr;
    MiniToolbar* toolbar_ = nullptr;
    QPointer<QColorDialog> dialog_;
};

}  // namespace lv::app
