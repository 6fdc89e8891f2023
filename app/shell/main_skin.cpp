#include "app/shell/main_skin.h"

#include "app/skin/screen_selection.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/slider_labels.h"
#include "app/widgets/slider_readouts.h"
#include "common/failure_notices.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <algorithm>
#include <map>

namespace lv::app {

MainSkin::MainSkin(QWidget& mainWindow, PanelHost& host, const skin::ButtonEnvironment& environment,
                   skin::SkinVariant variant, std::filesystem::path programDir,
                   SkinFields::ChangeHandler onFieldChange, SkinListBoxes::Notify onListPick)
    : mainWindow_(mainWindow)
    , host_(host)
    , environment_(environment)
    , variant_(variant)
    , programDir_(std::move(programDir))
    , decoder_([](ByteSource& source) {
        ReadResult read = ReadJpeg(source);
        ShowFailureNotices(read.failure());
        return read;
    })
    , fields_(std::move(onFieldChange))
    , lists_([this](int panel) { return loadControlPanel(panel); }, std::move(onListPick))
{
}

skin::LoadedPanel MainSkin::loadControlPanel(int panel) const
{
    return skin::LoadPanel(panel, variant_, programDir_.string(), decoder_);
}

void MainSkin::show(int screen)
{
    const skin::ScreenComposition& layout = skin::ScreenLayout(screen);
    if (layout.basePanel < 0)
        return;

    // Panels already shown keep their windows; the others are loaded.
    std::map<int, skin::LoadedPanel> loaded;
    for (int level = 0; layout.panelAt(level) >= 0; ++level) {
        const int panel = layout.panelAt(level);
        const bool shown = std::any_of(shown_.begin(), shown_.end(), [&](const ShownPanel& s) {
            return s.panel == panel && s.window;
        });
        if (!shown)
            loaded.emplace(panel, skin::LoadPanel(panel, variant_, programDir_.string(), decoder_));
    }
    const auto controlRect = [&](int panel, int controlId) -> std::optional<skin::Rect> {
        if (const auto it = loaded.find(panel); it != loaded.end())
            return skin::ControlRect(it->second, controlId);
        for (const ShownPanel& s : shown_)
            if (s.panel == panel && s.window)
                if (const auto r = s.window->controlRect(controlId))
                    return FromQRect(*r);
        return std::nullopt;
    };
    const std::vector<skin::PlacedPanel> placed =
        skin::ComposeScreen(screen, skin::MainWindowSize(variant_), controlRect);

    std::vector<ShownPanel> old = std::move(shown_);
    shown_.clear();
    screen_ = screen;
    for (const skin::PlacedPanel& p : placed) {
        const auto it = loaded.find(p.panel);
        SkinPanelWidget* window = windowFor(p.panel, old, it == loaded.end() ? nullptr : &it->second);
        window->setGeometry(ToQRect(p.area));
        shown_.push_back({p.panel, ToQRect(p.area), window});
    }
    // Windows of panels that left the screen go once their events are over: the press that
    // switched the screen may have come from one of them.
    for (ShownPanel& s : old) {
        if (s.window) {
            lists_.detach(*s.window);
            s.window->hide();
            s.window->deleteLater();
        }
    }

    for (std::size_t level = 0; level < shown_.size(); ++level) {
        SkinPanelWidget& window = *shown_[level].window;
        window.start(skin::SelectionOnScreen(window.panel(), screen), toggles_);
        if (level == 0)
            window.lower();  // under the image windows and the nested panels
        else
            window.raise();
        window.show();
    }

    // The base panel sizes the main window to its background, keeping the top-left corner.
    if (SkinPanelWidget* base = panelAt(0); base && !base->backgroundSize().isEmpty()
                                            && base->backgroundSize() != mainWindow_.size())
        mainWindow_.resize(base->backgroundSize());
}

SkinPanelWidget* MainSkin::windowFor(int panel, std::vector<ShownPanel>& old, const skin::LoadedPanel* loaded)
{
    for (ShownPanel& s : old) {
        if (s.panel == panel && s.window)
            return std::exchange(s.window, nullptr);
    }
    auto* window = new SkinPanelWidget(mainWindow_, host_, environment_, *loaded);  // owned by the main window
    fields_.attach(*window);
    lists_.attach(*window);
    AttachSliderReadouts(*window);
    AttachSliderLabels(*window);
    return window;
}

void MainSkin::showSelectionAgain()
{
    for (const ShownPanel& s : shown_)
        if (s.window)
            s.window->restoreGroupSelection(skin::SelectionOnScreen(s.panel, screen_));
}

SkinPanelWidget* MainSkin::panelAt(int level) const
{
    return level >= 0 && level < int(shown_.size()) ? shown_[std::size_t(level)].window.data() : nullptr;
}

std::optional<QRect> MainSkin::controlRect(int controlId) const
{
    for (const ShownPanel& s : shown_)
        if (s.window)
            if (const auto r = s.window->controlRect(controlId))
                return r->translated(s.area.topLeft());
    return std::nullopt;
}

QWidget* MainSkin::field(int controlId) const
{
    for (const ShownPanel& s : shown_) {
        if (!s.window)
            continue;
        for (QWidget* child : s.window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (SkinFields::ControlOf(child) == controlId)
                return child;
    }
    return nullptr;
}

void MainSkin::mirrorToggle(const SkinPanelWidget& from, const skin::effect::MirrorToggle& toggle)
{
    toggles_.remember(from.skinFile(), toggle);
    for (const ShownPanel& s : shown_)
        if (s.window && s.window != &from && s.window->skinFile() == from.skinFile())
            s.window->applyToggles(toggles_);
}

}  // namespace lv::app
