#pragma once
// The text tool over an undo walk's document: a text screen filled in as a user would, and a
// window's side of the tools around the document.

#include "common/testing/ui_recorder.h"
#include "edit/tests/test_fonts.h"
#include "edit/tools/text/text_tool.h"

#include <string>

namespace lv::testing {

// The text screen as a user fills it in: these words, with or without a shadow.
class FilledTextScreen final : public TextScreen {
public:
    FontLibrary* fonts() override { return &TestFonts(); }
    bool edit(TextToolChoice& choice, bool) override
    {
        choice.settings.text = words;
        choice.settings.font.height = -14;
        choice.dropShadow = shadow;
        choice.shadow = {2, 70, 2, 1};
        return true;
    }
    std::string words = "Oi";
    bool shadow = true;
};

// A window's side of the tools over a walk's document.
class DocumentWindow final : public ToolContext {
public:
    explicit DocumentWindow(LayerStack& document)
        : document_(document)
    {
    }
    LayerStack& document() override { return document_; }
    const LayerStack& document() const override { return document_; }
    ViewMapping mapping() const override { return view; }
    RgbTriple activeColour() const override { return {200, 10, 10}; }
    RgbTriple secondaryColour() const override { return {}; }
    void setActiveColour(RgbTriple) override {}
    void setSecondaryColour(RgbTriple) override {}
    ToolSettings& settings() override { return settings_; }
    const ToolSettings& settings() const override { return settings_; }
    ui::Service& ui() override { return ui_; }
    void zoomAt(int, Point) override {}
    Point scrollPosition() const override { return {}; }
    void scrollTo(Point) override {}

    ViewMapping view;

private:
    LayerStack& document_;
    ToolSettings settings_;
    UiRecorder ui_;
};

}  // namespace lv::testing
