#pragma once
// The text screen (11): the text tool's choices for the session (font, smooth edges, drop
// shadow), the "Fontes" list of the font families, the dialog the tool opens on a click,
// and the shadow command for the current text layer. It is the text tool's screen while
// the program runs.

#include "app/shell/screen_features.h"
#include "edit/tools/text/text_tool.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

namespace lv::app {

class ImageWindow;
class MainWindow;

inline constexpr int kTextScreen = 11;

class TextOptions final : public TextScreen, public ScreenCode {
public:
    TextOptions(MainWindow& window, std::function<ImageWindow*()> activeWindow, std::function<void(int)> chooseTool);
    ~TextOptions() override;

    FontLibrary* fonts() override;
    bool edit(TextToolChoice& choice, bool editing) override;

    void shown(MainSkin&) override;
    void listPicked(const skin::ListNotification& notification, skin::ListBox& list) override;

private:
    TextTool* tool() const;
    // The family the program's fonts draw a font with; its stored name when none.
    QString drawnFace(const LogFont& font);
    void addShadowToCurrentLayer();
    void showFontList();

    QPointer<MainWindow> window_;
    std::function<ImageWindow*()> activeWindow_;
    std::unique_ptr<FontLibrary> fonts_;
    bool fontsTried_ = false;
    QStringList families_;
};

}  // namespace lv::app
