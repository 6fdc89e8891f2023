#pragma once
// The button definition table: for each of the 35 panels, its buttons in skin-file order,
// with what they do (handler, argument, control id, tooltip, kind, radio group, selection)
// and how the skin generator draws them (icon, caption, style, place). The program binds
// its behaviour and the generator writes the skin files from this one table, so the two
// cannot drift apart.

#include "app/skin/geometry.h"
#include "app/skin/handlers.h"
#include "app/skin/screen_table.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lv::skin {

enum class ButtonKind : int {
    Region = 2,       // no picture, never hit: hosts a nested panel or a child window
    Push = 3,
    AutoRepeat = 4,   // fires again while held
    Scroll = 5,       // steps a slider: ±1 in the argument's high word
    SliderTrack = 6,  // the thumb that follows it in the table moves along it
    SliderThumb = 7,
    Toggle = 8,       // its state is mirrored on every screen of the same skin file
    Check = 9,
    Drag = 99,        // press, drag and release events
    DragBlock = 150,  // the same, delivered as a parameter block
};

inline constexpr int kSelected = 1;      // drawn pressed; selected at start
inline constexpr int kNeverSelected = 3; // never kept selected
inline constexpr int kNoTooltip = -1;
inline constexpr int kMaxButtonsPerPanel = 60;

// Radio groups with a meaning of their own.
inline constexpr int kGroupScreenArea = 6;
inline constexpr int kGroupTransformTool = 7;

// How the generator draws a button.
enum class ButtonStyle : std::uint8_t {
    None,        // regions
    AreaTab,     // the five main areas in the title bar (icon over caption)
    WindowButton,// small round buttons of the title bar
    ToolbarIcon, // square icon buttons of the bottom bar
    Readout,     // the zoom readout
    SectionIcon, // small icons of a panel's section strip
    Tile,        // icon beside a caption, half the panel wide
    WideAction,  // a full-width button with icon and caption
    Primary,     // a full-width accented button
    Choice,      // a full-width row with a radio or check mark
    SmallIcon,   // icon-only square buttons inside panels
    SliderTrack,
    SliderThumb,
    Field,       // a frame for a text field created by the program
    Link,        // a row naming a link or an item
    Card,        // a card of the start screen: icon, title and a line under it ("Title\nline")
    ListRow,     // one row of a list box: normal, selected and hovered (a region the list draws from)
    ListRows,    // the rows' area of a list box, under the rows it draws
};

struct ButtonArt {
    std::string_view icon;     // icon name (see the generator's icon set)
    std::string_view caption;  // drawn on the button; empty uses the tooltip text
    ButtonStyle style = ButtonStyle::None;
};

struct ButtonDefinition {
    Handler handler = Handler::None;
    std::uint32_t argument = 0;
    int controlId = 0;
    int tooltip = kNoTooltip;
    ButtonKind kind = ButtonKind::Push;
    int group = 0;
    int selection = 0;
    ButtonArt art;
    Rect small;  // place in the panel, "640" variant (and both variants for the shared panels)
    Rect large;  // place in the "800" variant of panels 0 and 28; empty elsewhere

    Rect placeIn(SkinVariant variant) const
    {
        return variant == SkinVariant::Large && !large.empty() ? large : small;
    }
};

// How the generator draws a panel's background.
enum class PanelStyle : std::uint8_t { MainWindow, InternetWindow, SidePanel, SubPanel, ContentPage, Strip, ListBox, ToolBar };

struct PanelDefinition {
    std::string_view title;     // drawn at the top of the panel
    std::string_view subtitle;  // one line under the title
    PanelStyle style = PanelStyle::SidePanel;
    int width = 0;   // background size of panels that come from the "640" file only
    int height = 0;
};

std::span<const ButtonDefinition> PanelButtons(int panel);
const PanelDefinition& Panel(int panel);

// Index of the first button of `panel` with this control id, or −1.
int ButtonIndexByControl(int panel, int controlId);

// The text a button shows: its caption, or else its tooltip string.
std::string_view ButtonCaption(const ButtonDefinition& button);

}  // namespace lv::skin
