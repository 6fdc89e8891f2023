// Button rows of panels 0, 28; see button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

constexpr ButtonDefinition kPanel0Rows[] = {
    {H::None, 0, 101, -1, K::Region, 0, 0, {"", "", S::None}, {6, 62, 212, 476}, {8, 72, 212, 476}},
    {H::None, 0, 100, -1, K::Region, 0, 0, {"", "", S::None}, {224, 88, 570, 450}, {228, 100, 788, 592}},
    {H::None, 0, 202, -1, K::Region, 0, 0, {"", "", S::None}, {270, 62, 496, 22}, {274, 72, 714, 24}},
    {H::None, 0, 164, -1, K::Region, 0, 0, {"", "", S::None}, {250, 66, 14, 14}, {254, 77, 14, 14}},
    {H::None, 0, 142, -1, K::Region, 0, 0, {"", "", S::None}, {706, 548, 88, 46}, {8, 556, 212, 136}},
    {H::None, 0, 157, -1, K::Region, 0, 0, {"", "", S::None}, {6, 318, 212, 220}, {8, 328, 212, 220}},
    {H::None, 0, 180, -1, K::Region, 0, 0, {"", "", S::None}, {6, 318, 212, 220}, {8, 328, 212, 220}},
    {H::None, 0, 181, -1, K::Region, 0, 0, {"", "", S::None}, {6, 318, 212, 220}, {8, 328, 212, 220}},
    // The album pages' grids in the workspace: the first cell of the user's 5 × 2 grid, its
    // right neighbour and the cell below it; the first two cells of the gallery's 6 × 1 strip.
    {H::None, 0, 105, -1, K::Region, 0, 0, {"", "", S::None}, {228, 98, 100, 100}, {232, 112, 136, 136}},
    {H::None, 0, 106, -1, K::Region, 0, 0, {"", "", S::None}, {338, 98, 100, 100}, {384, 112, 136, 136}},
    {H::None, 0, 110, -1, K::Region, 0, 0, {"", "", S::None}, {228, 208, 100, 100}, {232, 264, 136, 136}},
    {H::None, 0, 111, -1, K::Region, 0, 0, {"", "", S::None}, {228, 98, 82, 82}, {232, 112, 116, 116}},
    {H::None, 0, 112, -1, K::Region, 0, 0, {"", "", S::None}, {318, 98, 82, 82}, {360, 112, 116, 116}},
    {H::SelectScreenArea, 6, 155, 35001, K::Push, 6, 0, {"acquire", "Obter fotos", S::AreaTab}, {212, 6, 92, 44}, {250, 8, 104, 48}},
    {H::SelectScreenArea, 2, 147, -1, K::Push, 6, 0, {"album", "Álbum", S::AreaTab}, {308, 6, 92, 44}, {362, 8, 104, 48}},
    {H::SelectScreenArea, 3, 148, 35002, K::Push, 6, 0, {"edit", "Editar", S::AreaTab}, {404, 6, 92, 44}, {474, 8, 104, 48}},
    {H::SelectScreenArea, 4, 154, 35003, K::Push, 6, 0, {"projects", "Projetos", S::AreaTab}, {500, 6, 92, 44}, {586, 8, 104, 48}},
    {H::SelectScreenArea, 5, 151, 35004, K::Push, 6, 0, {"share", "Compartilhar", S::AreaTab}, {596, 6, 92, 44}, {698, 8, 104, 48}},
    {H::Undo, 0, 149, 35005, K::Push, 0, 0, {"edit-undo", "", S::ToolbarIcon}, {10, 550, 40, 40}, {16, 712, 44, 44}},
    {H::Redo, 0, 150, 35006, K::Push, 0, 0, {"edit-redo", "", S::ToolbarIcon}, {52, 550, 40, 40}, {66, 712, 44, 44}},
    {H::Copy, 0, 134, 35007, K::Push, 0, 0, {"edit-copy", "", S::ToolbarIcon}, {94, 550, 40, 40}, {116, 712, 44, 44}},
    {H::Paste, 0, 135, 35008, K::Push, 0, 0, {"edit-paste", "", S::ToolbarIcon}, {136, 550, 40, 40}, {166, 712, 44, 44}},
    {H::DeleteLayerOrSelection, 0, 132, 35009, K::Push, 0, 0, {"edit-delete", "", S::ToolbarIcon}, {178, 550, 40, 40}, {216, 712, 44, 44}},
    {H::CloseImage, 0, 133, 35010, K::Push, 0, 0, {"image-close", "", S::ToolbarIcon}, {220, 550, 40, 40}, {266, 712, 44, 44}},
    {H::FlipHorizontal, 0, 140, 35011, K::Push, 0, 0, {"flip-horizontal", "", S::ToolbarIcon}, {278, 550, 40, 40}, {334, 712, 44, 44}},
    {H::RotateAllLayers, 0, 141, 35012, K::Push, 0, 0, {"rotate-layers", "", S::ToolbarIcon}, {320, 550, 40, 40}, {384, 712, 44, 44}},
    {H::TransformToolChoice, 1, 136, 35013, K::Push, 7, 1, {"resize", "", S::ToolbarIcon}, {362, 550, 40, 40}, {434, 712, 44, 44}},
    {H::TransformToolChoice, 2, 137, 35014, K::Push, 7, 0, {"free-rotate", "", S::ToolbarIcon}, {404, 550, 40, 40}, {484, 712, 44, 44}},
    {H::TransformToolChoice, 4, 138, 35015, K::Push, 7, 0, {"hand", "", S::ToolbarIcon}, {446, 550, 40, 40}, {534, 712, 44, 44}},
    {H::ZoomOut, 0, 205, 35016, K::AutoRepeat, 0, 0, {"zoom-out", "", S::ToolbarIcon}, {504, 550, 40, 40}, {602, 712, 44, 44}},
    {H::ZoomReset, 0, 203, -1, K::Push, 0, 0, {"", "1:1", S::Readout}, {546, 550, 64, 40}, {652, 712, 80, 44}},
    {H::ZoomIn, 0, 204, 35017, K::AutoRepeat, 0, 0, {"zoom-in", "", S::ToolbarIcon}, {612, 550, 40, 40}, {738, 712, 44, 44}},
    {H::FullScreenView, 0, 139, 35018, K::Push, 0, 0, {"fullscreen", "", S::ToolbarIcon}, {654, 550, 40, 40}, {788, 712, 44, 44}},
    {H::CloseSideImage, 0, 209, -1, K::Push, 0, 0, {"close-small", "", S::SmallIcon}, {226, 64, 18, 18}, {230, 75, 18, 18}},
    {H::CloseSideImage, 1, 210, -1, K::Push, 0, 0, {"close-small", "", S::SmallIcon}, {774, 64, 18, 18}, {994, 75, 18, 18}},
    {H::About, 0, 145, 35019, K::Push, 0, 0, {"about", "", S::WindowButton}, {704, 17, 22, 22}, {886, 19, 26, 26}},
    {H::HelpContents, 0, 0, 35020, K::Push, 0, 0, {"help", "", S::WindowButton}, {728, 17, 22, 22}, {920, 19, 26, 26}},
    {H::Minimize, 0, 0, 35021, K::Push, 0, 0, {"minimize", "", S::WindowButton}, {752, 17, 22, 22}, {954, 19, 26, 26}},
    {H::Quit, 0, 0, 35022, K::Push, 0, 0, {"quit", "", S::WindowButton}, {776, 17, 22, 22}, {988, 19, 26, 26}},
    // The cards of the start screen lead to the areas as the area buttons do. They lie in the
    // host of the nested panels, which covers them on every other screen.
    {H::SelectScreenArea, 6, 171, 35001, K::Push, 6, 0, {"acquire", "Obter fotos\nScanner, câmera e tela", S::Card}, {18, 158, 188, 62}, {20, 168, 188, 62}},
    {H::SelectScreenArea, 2, 172, -1, K::Push, 6, 0, {"album", "Álbum\nOrganize suas fotos", S::Card}, {18, 228, 188, 62}, {20, 238, 188, 62}},
    {H::SelectScreenArea, 3, 173, 35002, K::Push, 6, 0, {"edit", "Editar\nRetoque e aprimore", S::Card}, {18, 298, 188, 62}, {20, 308, 188, 62}},
    {H::SelectScreenArea, 4, 174, 35003, K::Push, 6, 0, {"projects", "Projetos\nCartões e calendários", S::Card}, {18, 368, 188, 62}, {20, 378, 188, 62}},
    {H::SelectScreenArea, 5, 175, 35004, K::Push, 6, 0, {"share", "Compartilhar\nImprima, envie, mostre", S::Card}, {18, 438, 188, 62}, {20, 448, 188, 62}},
};
const std::span<const ButtonDefinition> kPanel0 = kPanel0Rows;

constexpr ButtonDefinition kPanel28Rows[] = {
    {H::None, 0, 198, -1, K::Region, 0, 0, {"", "", S::None}, {6, 62, 212, 476}, {8, 72, 212, 476}},
    {H::ReturnFromInternet, 0, 0, 35023, K::Push, 0, 0, {"back", "Voltar", S::WideAction}, {208, 14, 84, 28}, {250, 17, 100, 30}},
    {H::SwitchScreen, 28, 0, 35024, K::Push, 8, 0, {"web", "Início", S::AreaTab}, {300, 6, 92, 44}, {362, 8, 104, 48}},
    {H::SwitchScreen, 29, 0, 35025, K::Push, 8, 0, {"link", "Links", S::AreaTab}, {396, 6, 92, 44}, {474, 8, 104, 48}},
    {H::SwitchScreen, 30, 0, 35026, K::Push, 8, 0, {"web-album", "Álbum Web", S::AreaTab}, {492, 6, 92, 44}, {586, 8, 104, 48}},
    {H::SwitchScreen, 31, 0, 35027, K::Push, 8, 0, {"animation", "Animações", S::AreaTab}, {588, 6, 92, 44}, {698, 8, 104, 48}},
    {H::About, 0, 145, 35019, K::Push, 0, 0, {"about", "", S::WindowButton}, {704, 17, 22, 22}, {886, 19, 26, 26}},
    {H::HelpContents, 0, 0, 35020, K::Push, 0, 0, {"help", "", S::WindowButton}, {728, 17, 22, 22}, {920, 19, 26, 26}},
    {H::Minimize, 0, 0, 35021, K::Push, 0, 0, {"minimize", "", S::WindowButton}, {752, 17, 22, 22}, {954, 19, 26, 26}},
    {H::Quit, 0, 0, 35022, K::Push, 0, 0, {"quit", "", S::WindowButton}, {776, 17, 22, 22}, {988, 19, 26, 26}},
};
const std::span<const ButtonDefinition> kPanel28 = kPanel28Rows;

}  // namespace lv::skin::data
