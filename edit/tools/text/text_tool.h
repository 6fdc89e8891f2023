#pragma once
// Tool 1109: a click places new lettering there, a click on a text layer opens it for
// editing. The choices come from the text screen, which the program hands the tool.
#include "edit/text_layer/drop_shadow.h"
#include "edit/text_layer/text_layer.h"
#include "edit/tools/tool.h"

namespace lv {

struct TextToolChoice {
    TextLayerSettings settings;
    bool dropShadow = false;
    DropShadowSettings shadow;
};

// The text screen as the tool sees it.
class TextScreen {
public:
    virtual ~TextScreen() = default;
    // The fonts lettering is drawn with; null when they could not be opened.
    virtual FontLibrary* fonts() = 0;
    // Lets the user change `choice` (text, font, edges, shadow; the colour and place are
    // filled in); false when the user cancels.
    virtual bool edit(TextToolChoice& choice, bool editing) = 0;
};

class TextTool final : public Tool {
public:
    int id() const override;
    ToolResult press(ToolContext& context, const PointerEvent& event) override;
    ToolCursor cursor(const ToolContext&, Point) const override { return ToolCursor::Text; }

    // The screen outlives the tool's use of it; null until the program sets one.
    void setScreen(TextScreen* screen) { screen_ = screen; }
    // The choices of the last lettering placed, kept for the next (the session's).
    const TextToolChoice& choice() const { return choice_; }
    TextToolChoice& choice() { return choice_; }

    // The user chose a size (in the font dialog): the next lettering starts from it.
    void sizeChosen() { sizeUsed_ = true; }

private:
    TextScreen* screen_ = nullptr;
    bool sizeUsed_ = false;
    TextToolChoice choice_ = DefaultChoice();
    static TextToolChoice DefaultChoice();
};

// The pixel height new lettering starts at: the last one used (0 for none yet) while it lies
// within 1/40 to 1/2 of the picture's height, a tenth of that height otherwise, so a photo
// gets readable text and a small picture no giant letters.
int StartingTextHeight(int lastUsed, int pictureHeight);

// The front-most visible text layer under a top-down point, or -1.
int TextLayerAt(const LayerStack& stack, Point point);

}  // namespace lv
