// Button rows of panels 0, 28; see button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

constexpr ButtonDefinition kPanel0Rows[] = {
    {H::None, 0, 101, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 62, 212, 476), Rect::fromSize(8, 72, 212, 476)},
    {H::None, 0, 100, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(224, 88, 570, 450), Rect::fromSize(228, 100, 788, 592)},
    {H::None, 0, 202, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(270, 62, 496, 22), Rect::fromSize(274, 72, 714, 24)},
    {H::None, 0, 164, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(250, 66, 14, 14), Rect::fromSize(254, 77, 14, 14)},
    {H::None, 0, 142, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(706, 548, 88, 46), Rect::fromSize(8, 556, 212, 136)},
    {H::None, 0, 157, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 318, 212, 220), Rect::fromSize(8, 328, 212, 220)},
    {H::None, 0, 180, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 318, 212, 220), Rect::fromSize(8, 328, 212, 220)},
    {H::None, 0, 181, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 318, 212, 220), Rect::fromSize(8, 328, 212, 220)},
    // The album pages' grids in the workspace: the first cell of the user's 5 × 2 grid, its
    // right neighbour and the cell below it; the first two cells of the gallery's 6 × 1 strip.
    {H::None, 0, 105, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(228, 98, 100, 100), Rect::fromSize(232, 112, 136, 136)},
    {H::None, 0, 106, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(338, 98, 100, 100), Rect::fromSize(384, 112, 136, 136)},
    {H::None, 0, 110, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(228, 208, 100, 100), Rect::fromSize(232, 264, 136, 136)},
    {H::None, 0, 111, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(228, 98, 82, 82), Rect::fromSize(232, 112, 116, 116)},
    {H::None, 0, 112, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(318, 98, 82, 82), Rect::fromSize(360, 112, 116, 116)},
    {H::SelectScreenArea, 6, 155, 35001, K::Push, 6, 0, {"acquire", "Obter fotos", S::AreaTab}, Rect::fromSize(212, 6, 88, 44), Rect::fromSize(250, 8, 104, 48)},
    {H::SelectScreenArea, 2, 147, -1, K::Push, 6, 0, {"album", "Álbum", S::AreaTab}, Rect::fromSize(304, 6, 88, 44), Rect::fromSize(362, 8, 104, 48)},
    {H::SelectScreenArea, 3, 148, 35002, K::Push, 6, 0, {"edit", "Editar", S::AreaTab}, Rect::fromSize(396, 6, 88, 44), Rect::fromSize(474, 8, 104, 48)},
    {H::SelectScreenArea, 4, 154, 35003, K::Push, 6, 0, {"projects", "Projetos", S::AreaTab}, Rect::fromSize(488, 6, 88, 44), Rect::fromSize(586, 8, 104, 48)},
    {H::SelectScreenArea, 5, 151, 35004, K::Push, 6, 0, {"share", "Compartilhar", S::AreaTab}, Rect::fromSize(580, 6, 88, 44), Rect::fromSize(698, 8, 104, 48)},
    {H::Undo, 0, 149, 35005, K::Push, 0, 0, {"edit-undo", "", S::ToolbarIcon}, Rect::fromSize(10, 550, 40, 40), Rect::fromSize(16, 712, 44, 44)},
    {H::Redo, 0, 150, 35006, K::Push, 0, 0, {"edit-redo", "", S::ToolbarIcon}, Rect::fromSize(52, 550, 40, 40), Rect::fromSize(66, 712, 44, 44)},
    {H::Copy, 0, 134, 35007, K::Push, 0, 0, {"edit-copy", "", S::ToolbarIcon}, Rect::fromSize(94, 550, 40, 40), Rect::fromSize(116, 712, 44, 44)},
    {H::Paste, 0, 135, 35008, K::Push, 0, 0, {"edit-paste", "", S::ToolbarIcon}, Rect::fromSize(136, 550, 40, 40), Rect::fromSize(166, 712, 44, 44)},
    {H::DeleteLayerOrSelection, 0, 132, 35009, K::Push, 0, 0, {"edit-delete", "", S::ToolbarIcon}, Rect::fromSize(178, 550, 40, 40), Rect::fromSize(216, 712, 44, 44)},
    {H::CloseImage, 0, 133, 35010, K::Push, 0, 0, {"image-close", "", S::ToolbarIcon}, Rect::fromSize(220, 550, 40, 40), Rect::fromSize(266, 712, 44, 44)},
    {H::FlipHorizontal, 0, 140, 35011, K::Push, 0, 0, {"flip-horizontal", "", S::ToolbarIcon}, Rect::fromSize(278, 550, 40, 40), Rect::fromSize(334, 712, 44, 44)},
    {H::RotateAllLayers, 0, 141, 35012, K::Push, 0, 0, {"rotate-layers", "", S::ToolbarIcon}, Rect::fromSize(320, 550, 40, 40), Rect::fromSize(384, 712, 44, 44)},
    {H::TransformToolChoice, 1, 136, 35013, K::Push, 7, 1, {"resize", "", S::ToolbarIcon}, Rect::fromSize(362, 550, 40, 40), Rect::fromSize(434, 712, 44, 44)},
    {H::TransformToolChoice, 2, 137, 35014, K::Push, 7, 0, {"free-rotate", "", S::ToolbarIcon}, Rect::fromSize(404, 550, 40, 40), Rect::fromSize(484, 712, 44, 44)},
    {H::TransformToolChoice, 4, 138, 35015, K::Push, 7, 0, {"hand", "", S::ToolbarIcon}, Rect::fromSize(446, 550, 40, 40), Rect::fromSize(534, 712, 44, 44)},
    {H::ZoomOut, 0, 205, 35016, K::AutoRepeat, 0, 0, {"zoom-out", "", S::ToolbarIcon}, Rect::fromSize(504, 550, 40, 40), Rect::fromSize(602, 712, 44, 44)},
    {H::ZoomReset, 0, 203, -1, K::Push, 0, 0, {"", "1:1", S::Readout}, Rect::fromSize(546, 550, 64, 40), Rect::fromSize(652, 712, 80, 44)},
    {H::ZoomIn, 0, 204, 35017, K::AutoRepeat, 0, 0, {"zoom-in", "", S::ToolbarIcon}, Rect::fromSize(612, 550, 40, 40), Rect::fromSize(738, 712, 44, 44)},
    {H::FullScreenView, 0, 139, 35018, K::Push, 0, 0, {"fullscreen", "", S::ToolbarIcon}, Rect::fromSize(654, 550, 40, 40), Rect::fromSize(788, 712, 44, 44)},
    {H::CloseSideImage, 0, 209, 35010, K::Push, 0, 0, {"close-small", "", S::SmallIcon}, Rect::fromSize(226, 64, 18, 18), Rect::fromSize(230, 75, 18, 18)},
    {H::CloseSideImage, 1, 210, 35010, K::Push, 0, 0, {"close-small", "", S::SmallIcon}, Rect::fromSize(774, 64, 18, 18), Rect::fromSize(994, 75, 18, 18)},
    {H::About, 0, 145, 35019, K::Push, 0, 0, {"about", "", S::WindowButton}, Rect::fromSize(680, 17, 22, 22), Rect::fromSize(852, 19, 26, 26)},
    {H::HelpContents, 0, 0, 35020, K::Push, 0, 0, {"help", "", S::WindowButton}, Rect::fromSize(728, 17, 22, 22), Rect::fromSize(920, 19, 26, 26)},
    {H::Minimize, 0, 0, 35021, K::Push, 0, 0, {"minimize", "", S::WindowButton}, Rect::fromSize(752, 17, 22, 22), Rect::fromSize(954, 19, 26, 26)},
    {H::Quit, 0, 0, 35022, K::Push, 0, 0, {"quit", "", S::WindowButton}, Rect::fromSize(776, 17, 22, 22), Rect::fromSize(988, 19, 26, 26)},
    // The cards of the start screen lead to the areas as the area buttons do. They lie in the
    // host of the nested panels, which covers them on every other screen.
    {H::SelectScreenArea, 6, 171, 35001, K::Push, 6, 0, {"acquire", "Obter fotos\nScanner, câmera e tela", S::Card}, Rect::fromSize(18, 158, 188, 62), Rect::fromSize(20, 168, 188, 62)},
    {H::SelectScreenArea, 2, 172, -1, K::Push, 6, 0, {"album", "Álbum\nOrganize suas fotos", S::Card}, Rect::fromSize(18, 228, 188, 62), Rect::fromSize(20, 238, 188, 62)},
    {H::SelectScreenArea, 3, 173, 35002, K::Push, 6, 0, {"edit", "Editar\nRetoque e aprimore", S::Card}, Rect::fromSize(18, 298, 188, 62), Rect::fromSize(20, 308, 188, 62)},
    {H::SelectScreenArea, 4, 174, 35003, K::Push, 6, 0, {"projects", "Projetos\nCartões e calendários", S::Card}, Rect::fromSize(18, 368, 188, 62), Rect::fromSize(20, 378, 188, 62)},
    {H::SelectScreenArea, 5, 175, 35004, K::Push, 6, 0, {"share", "Compartilhar\nImprima, envie, mostre", S::Card}, Rect::fromSize(18, 438, 188, 62), Rect::fromSize(20, 448, 188, 62)},
    // The settings the original screens have no place for, beside help where users look for them.
    {H::Preferences, 0, 0, 35390, K::Push, 0, 0, {"preferences", "", S::WindowButton}, Rect::fromSize(704, 17, 22, 22), Rect::fromSize(886, 19, 26, 26)},
};
const std::span<const ButtonDefinition> kPanel0 = kPanel0Rows;

constexpr ButtonDefinition kPanel28Rows[] = {
    {H::None, 0, 198, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 62, 212, 476), Rect::fromSize(8, 72, 212, 476)},
    {H::ReturnFromInternet, 0, 0, 35023, K::Push, 0, 0, {"back", "Voltar", S::WideAction}, Rect::fromSize(208, 14, 84, 28), Rect::fromSize(250, 17, 100, 30)},
    {H::SwitchScreen, 28, 0, 35024, K::Push, 8, 0, {"web", "Início", S::AreaTab}, Rect::fromSize(300, 6, 92, 44), Rect::fromSize(362, 8, 104, 48)},
    {H::SwitchScreen, 29, 0, 35025, K::Push, 8, 0, {"link", "Links", S::AreaTab}, Rect::fromSize(396, 6, 92, 44), Rect::fromSize(474, 8, 104, 48)},
    {H::SwitchScreen, 30, 0, 35026, K::Push, 8, 0, {"web-album", "Álbum Web", S::AreaTab}, Rect::fromSize(492, 6, 92, 44), Rect::fromSize(586, 8, 104, 48)},
    {H::SwitchScreen, 31, 0, 35027, K::Push, 8, 0, {"animation", "Animações", S::AreaTab}, Rect::fromSize(588, 6, 92, 44), Rect::fromSize(698, 8, 104, 48)},
    {H::About, 0, 145, 35019, K::Push, 0, 0, {"about", "", S::WindowButton}, Rect::fromSize(704, 17, 22, 22), Rect::fromSize(886, 19, 26, 26)},
    {H::HelpContents, 0, 0, 35020, K::Push, 0, 0, {"help", "", S::WindowButton}, Rect::fromSize(728, 17, 22, 22), Rect::fromSize(920, 19, 26, 26)},
    {H::Minimize, 0, 0, 35021, K::Push, 0, 0, {"minimize", "", S::WindowButton}, Rect::fromSize(752, 17, 22, 22), Rect::fromSize(954, 19, 26, 26)},
    {H::Quit, 0, 0, 35022, K::Push, 0, 0, {"quit", "", S::WindowButton}, Rect::fromSize(776, 17, 22, 22), Rect::fromSize(988, 19, 26, 26)},
};
const std::span<const ButtonDefinition> kPanel28 = kPanel28Rows;

}  // namespace lv::skin::data
