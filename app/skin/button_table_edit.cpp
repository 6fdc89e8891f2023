// Button rows of panels 2, 8, 12, 13, 14, 15, 16, 17, 11, 3, 9, 10, 27; see button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

// The section strip of the Editar pages; the page shown is the one chosen.
constexpr auto kEditStrip = std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 2, 0, 35065, K::Push, 5, 0, {"adjust-image", "", S::SectionIcon}, Rect::fromSize(6, 4, 26, 26), {}},
    {H::SwitchScreen, 8, 0, 35066, K::Push, 5, 0, {"select-rect", "", S::SectionIcon}, Rect::fromSize(35, 4, 26, 26), {}},
    {H::SwitchScreen, 12, 0, 35067, K::Push, 5, 0, {"brush", "", S::SectionIcon}, Rect::fromSize(64, 4, 26, 26), {}},
    {H::SwitchScreen, 17, 0, 35068, K::Push, 5, 0, {"bucket", "", S::SectionIcon}, Rect::fromSize(93, 4, 26, 26), {}},
    {H::SwitchScreen, 11, 0, 35069, K::Push, 5, 0, {"text", "", S::SectionIcon}, Rect::fromSize(122, 4, 26, 26), {}},
    {H::SwitchScreen, 3, 0, 35070, K::Push, 5, 0, {"layers", "", S::SectionIcon}, Rect::fromSize(151, 4, 26, 26), {}},
    {H::SwitchScreen, 9, 0, 35071, K::Push, 5, 0, {"enhance", "", S::SectionIcon}, Rect::fromSize(180, 4, 26, 26), {}},
});

constexpr auto kPanel2Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::OpenImage, 0, 0, 35072, K::Push, 0, 0, {"open", "Abrir", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::SaveImageAs, 0, 0, 35073, K::Push, 0, 0, {"save", "Salvar como", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::NewImage, 0, 0, 35074, K::Push, 0, 0, {"new-image", "Nova", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::SelectTool, 1122, 0, 35075, K::Push, 1, 0, {"crop", "Aparar", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::RotateImage, 270, 0, 35076, K::Push, 0, 0, {"rotate-left", "Girar ←", S::Tile}, Rect::fromSize(4, 196, 100, 54), {}},
    {H::RotateImage, 90, 0, 35077, K::Push, 0, 0, {"rotate-right", "Girar →", S::Tile}, Rect::fromSize(108, 196, 100, 54), {}},
    {H::FlipVertical, 0, 0, 35078, K::Push, 0, 0, {"flip-vertical", "Inverter", S::Tile}, Rect::fromSize(4, 256, 100, 54), {}},
    {H::ResizeImage, 0, 0, 35079, K::Push, 0, 0, {"resize", "Tamanho", S::Tile}, Rect::fromSize(108, 256, 100, 54), {}},
    {H::CanvasSize, 0, 0, 35080, K::Push, 0, 0, {"canvas", "Tela", S::Tile}, Rect::fromSize(4, 316, 100, 54), {}},
    {H::SelectTool, 1123, 0, 35081, K::Push, 1, 0, {"picker", "Conta-gotas", S::Tile}, Rect::fromSize(108, 316, 100, 54), {}},
}));
const std::span<const ButtonDefinition> kPanel2 = kPanel2Rows;

// The selection tools as icons, then the magic wand's options: contiguous, the three
// tolerances (arrows step 1, the track pages by 10, the field shows the value), and how a
// click combines with the selection in place.
constexpr auto kPanel8Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::SelectTool, 1101, 0, 35082, K::Push, 1, 1, {"select-rect", "", S::SmallIcon}, Rect::fromSize(6, 76, 38, 38), {}},
    {H::SelectTool, 1102, 0, 35083, K::Push, 1, 0, {"select-ellipse", "", S::SmallIcon}, Rect::fromSize(47, 76, 38, 38), {}},
    {H::SelectTool, 1103, 0, 35084, K::Push, 1, 0, {"lasso", "", S::SmallIcon}, Rect::fromSize(88, 76, 38, 38), {}},
    {H::SelectTool, 1104, 0, 35085, K::Push, 1, 0, {"wand", "", S::SmallIcon}, Rect::fromSize(129, 76, 38, 38), {}},
    {H::SelectTool, 1105, 0, 35086, K::Push, 1, 0, {"move", "", S::SmallIcon}, Rect::fromSize(170, 76, 38, 38), {}},
    {H::SelectTool, 1106, 0, 35087, K::Push, 1, 0, {"move-content", "", S::SmallIcon}, Rect::fromSize(6, 118, 38, 38), {}},
    {H::SelectTool, 1124, 0, 35088, K::Push, 1, 0, {"trash", "", S::SmallIcon}, Rect::fromSize(47, 118, 38, 38), {}},
    {H::SelectTool, 1107, 0, 35089, K::Push, 1, 0, {"zoom-in", "", S::SmallIcon}, Rect::fromSize(88, 118, 38, 38), {}},
    {H::SelectTool, 1108, 0, 35090, K::Push, 1, 0, {"hand", "", S::SmallIcon}, Rect::fromSize(129, 118, 38, 38), {}},
    {H::WandContiguous, 0, 239, 35300, K::Check, 0, 1, {"check", "Somente vizinhos", S::Choice}, Rect::fromSize(6, 176, 200, 28), {}},
    {H::WandToleranceStep, 0xFFFF0001, 0, 35304, K::Scroll, 0, 0, {"go-previous", "", S::SmallIcon}, Rect::fromSize(6, 226, 20, 22), {}},
    {H::WandTolerance, 1, 0, 35301, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(28, 226, 120, 22), {}},
    {H::WandTolerance, 1, 233, 35301, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(80, 226, 14, 22), {}},
    {H::WandToleranceStep, 0x00010001, 0, 35305, K::Scroll, 0, 0, {"go-next", "", S::SmallIcon}, Rect::fromSize(150, 226, 20, 22), {}},
    {H::None, 0, 230, 35301, K::Region, 0, 0, {"", "", S::Field}, Rect::fromSize(174, 226, 32, 22), {}},
    {H::WandToleranceStep, 0xFFFF0002, 0, 35304, K::Scroll, 0, 0, {"go-previous", "", S::SmallIcon}, Rect::fromSize(6, 268, 20, 22), {}},
    {H::WandTolerance, 2, 0, 35302, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(28, 268, 120, 22), {}},
    {H::WandTolerance, 2, 234, 35302, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(80, 268, 14, 22), {}},
    {H::WandToleranceStep, 0x00010002, 0, 35305, K::Scroll, 0, 0, {"go-next", "", S::SmallIcon}, Rect::fromSize(150, 268, 20, 22), {}},
    {H::None, 0, 231, 35302, K::Region, 0, 0, {"", "", S::Field}, Rect::fromSize(174, 268, 32, 22), {}},
    {H::WandToleranceStep, 0xFFFF0003, 0, 35304, K::Scroll, 0, 0, {"go-previous", "", S::SmallIcon}, Rect::fromSize(6, 310, 20, 22), {}},
    {H::WandTolerance, 3, 0, 35303, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(28, 310, 120, 22), {}},
    {H::WandTolerance, 3, 235, 35303, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(80, 310, 14, 22), {}},
    {H::WandToleranceStep, 0x00010003, 0, 35305, K::Scroll, 0, 0, {"go-next", "", S::SmallIcon}, Rect::fromSize(150, 310, 20, 22), {}},
    {H::None, 0, 232, 35303, K::Region, 0, 0, {"", "", S::Field}, Rect::fromSize(174, 310, 32, 22), {}},
    {H::WandCombineMode, 0, 236, 35306, K::Push, 2, 1, {"", "Nova seleção", S::Choice}, Rect::fromSize(6, 348, 200, 26), {}},
    {H::WandCombineMode, 1, 237, 35307, K::Push, 2, 0, {"", "Somar à seleção", S::Choice}, Rect::fromSize(6, 376, 200, 26), {}},
    {H::WandCombineMode, 4, 238, 35308, K::Push, 2, 0, {"", "Tirar da seleção", S::Choice}, Rect::fromSize(6, 404, 200, 26), {}},
}));
const std::span<const ButtonDefinition> kPanel8 = kPanel8Rows;

constexpr auto kPanel12Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 13, 0, 35091, K::Push, 2, 0, {"brush", "Pincéis", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::SwitchScreen, 14, 0, 35092, K::Push, 2, 0, {"retouch", "Retoque", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::SwitchScreen, 15, 0, 35093, K::Push, 2, 0, {"clone", "Clonar", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::SwitchScreen, 16, 0, 35094, K::Push, 2, 0, {"red-eye", "Olhos", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::SwapColours, 0, 0, 35095, K::Push, 0, 0, {"swap", "Trocar cores", S::WideAction}, Rect::fromSize(6, 204, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel12 = kPanel12Rows;

// The brush's tools, the picture of the brush shape "Figura", the shapes, size and
// density, then the brush's softness and the airbrush's pressure side by side.
constexpr ButtonDefinition kPanel13Rows[] = {
    {H::SelectTool, 1114, 0, 35096, K::Push, 1, 1, {"brush", "", S::SmallIcon}, Rect::fromSize(6, 32, 36, 36), {}},
    {H::SelectTool, 1116, 0, 35097, K::Push, 1, 0, {"pen", "", S::SmallIcon}, Rect::fromSize(46, 32, 36, 36), {}},
    {H::SelectTool, 1113, 0, 35098, K::Push, 1, 0, {"airbrush", "", S::SmallIcon}, Rect::fromSize(86, 32, 36, 36), {}},
    {H::SelectTool, 1127, 0, 35099, K::Push, 1, 0, {"line", "", S::SmallIcon}, Rect::fromSize(126, 32, 36, 36), {}},
    {H::ChooseBrushPicture, 0, 0, 35331, K::Push, 0, 0, {"shape-choose", "", S::SmallIcon}, Rect::fromSize(170, 32, 36, 36), {}},
    {H::BrushShape, 1, 0, 35100, K::Push, 3, 1, {"shape-round", "", S::SmallIcon}, Rect::fromSize(6, 76, 27, 27), {}},
    {H::BrushShape, 0, 0, 35101, K::Push, 3, 0, {"shape-square", "", S::SmallIcon}, Rect::fromSize(35, 76, 27, 27), {}},
    {H::BrushShape, 2, 0, 35102, K::Push, 3, 0, {"shape-hbar", "", S::SmallIcon}, Rect::fromSize(64, 76, 27, 27), {}},
    {H::BrushShape, 3, 0, 35103, K::Push, 3, 0, {"shape-vbar", "", S::SmallIcon}, Rect::fromSize(93, 76, 27, 27), {}},
    {H::BrushShape, 4, 0, 35104, K::Push, 3, 0, {"shape-diag", "", S::SmallIcon}, Rect::fromSize(122, 76, 27, 27), {}},
    {H::BrushShape, 5, 0, 35105, K::Push, 3, 0, {"shape-antidiag", "", S::SmallIcon}, Rect::fromSize(151, 76, 27, 27), {}},
    {H::BrushShape, 6, 0, 35330, K::Push, 3, 0, {"shape-custom", "", S::SmallIcon}, Rect::fromSize(180, 76, 27, 27), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 120, 162, 22), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 120, 16, 22), {}},
    {H::BrushSpeed, 0, 0, 35107, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 156, 162, 22), {}},
    {H::BrushSpeed, 0, 0, 35107, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 156, 16, 22), {}},
    {H::PaintOption, 1, 0, 35332, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 192, 96, 22), {}},
    {H::PaintOption, 1, 0, 35332, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(46, 192, 16, 22), {}},
    {H::PaintOption, 2, 0, 35333, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(110, 192, 96, 22), {}},
    {H::PaintOption, 2, 0, 35333, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(150, 192, 16, 22), {}},
};
const std::span<const ButtonDefinition> kPanel13 = kPanel13Rows;

constexpr ButtonDefinition kPanel14Rows[] = {
    {H::SelectTool, 1117, 0, 35108, K::Push, 1, 1, {"lighten", "", S::SmallIcon}, Rect::fromSize(6, 32, 36, 36), {}},
    {H::SelectTool, 1118, 0, 35109, K::Push, 1, 0, {"blur", "", S::SmallIcon}, Rect::fromSize(46, 32, 36, 36), {}},
    {H::SelectTool, 1115, 0, 35110, K::Push, 1, 0, {"smudge", "", S::SmallIcon}, Rect::fromSize(86, 32, 36, 36), {}},
    {H::ToolStrength, 0, 0, 35111, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 106, 162, 22), {}},
    {H::ToolStrength, 0, 0, 35111, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 106, 16, 22), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 160, 162, 22), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 160, 16, 22), {}},
};
const std::span<const ButtonDefinition> kPanel14 = kPanel14Rows;

constexpr ButtonDefinition kPanel15Rows[] = {
    {H::SelectTool, 1119, 0, 35093, K::Push, 1, 1, {"clone", "", S::SmallIcon}, Rect::fromSize(6, 32, 36, 36), {}},
    {H::CloneAligned, 0, 0, 35112, K::Check, 0, 0, {"check", "Alinhado", S::Choice}, Rect::fromSize(6, 74, 200, 34), {}},
    {H::PaintCheck, 1, 0, 35334, K::Check, 0, 0, {"check", "Borda suave", S::Choice}, Rect::fromSize(6, 110, 200, 34), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 160, 162, 22), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 160, 16, 22), {}},
};
const std::span<const ButtonDefinition> kPanel15 = kPanel15Rows;

constexpr ButtonDefinition kPanel16Rows[] = {
    {H::SelectTool, 1129, 0, 35113, K::Push, 1, 1, {"red-eye", "", S::SmallIcon}, Rect::fromSize(6, 32, 36, 36), {}},
    {H::SelectTool, 1120, 0, 35114, K::Push, 1, 0, {"eraser", "", S::SmallIcon}, Rect::fromSize(46, 32, 36, 36), {}},
    {H::PaintCheck, 2, 0, 35334, K::Check, 0, 0, {"check", "Borda suave", S::Choice}, Rect::fromSize(6, 72, 200, 34), {}},
    {H::PaintOption, 3, 0, 35335, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 124, 162, 22), {}},
    {H::PaintOption, 3, 0, 35335, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 124, 16, 22), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 160, 162, 22), {}},
    {H::BrushSize, 0, 0, 35106, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 160, 16, 22), {}},
};
const std::span<const ButtonDefinition> kPanel16 = kPanel16Rows;

constexpr auto kPanel17Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::SelectTool, 1112, 0, 35115, K::Push, 1, 1, {"bucket", "Balde", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::SelectTool, 1111, 0, 35116, K::Push, 1, 0, {"gradient", "Gradiente", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::SelectTool, 1128, 0, 35117, K::Push, 1, 0, {"texture", "Padrão", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::SelectTool, 1110, 0, 35118, K::Push, 1, 0, {"stamp", "Carimbo", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::ChooseStamp, 0, 0, 35119, K::Push, 0, 0, {"stamp-choose", "Carimbos", S::Tile}, Rect::fromSize(4, 196, 100, 54), {}},
    {H::ChooseTexture, 0, 0, 35120, K::Push, 0, 0, {"texture-choose", "Texturas", S::Tile}, Rect::fromSize(108, 196, 100, 54), {}},
    {H::SwapColours, 0, 0, 35095, K::Push, 0, 0, {"swap", "Trocar cores", S::WideAction}, Rect::fromSize(6, 262, 200, 34), {}},
    {H::PaintOption, 4, 0, 35336, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 326, 162, 22), {}},
    {H::PaintOption, 4, 0, 35336, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 326, 16, 22), {}},
    {H::PaintOption, 5, 0, 35337, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 370, 162, 22), {}},
    {H::PaintOption, 5, 0, 35337, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 370, 16, 22), {}},
}));
const std::span<const ButtonDefinition> kPanel17 = kPanel17Rows;

constexpr auto kPanel11Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::SelectTool, 1109, 0, 35121, K::Push, 1, 1, {"text", "Texto", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::TextFont, 0, 0, 35122, K::Push, 0, 0, {"font", "Fonte", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::TextEntry, 399, 0, 35123, K::Push, 0, 0, {"text-edit", "Escrever texto", S::Primary}, Rect::fromSize(6, 144, 200, 34), {}},
    {H::TextSmoothEdges, 0, 0, 35124, K::Check, 0, 1, {"check", "Bordas suaves", S::Choice}, Rect::fromSize(6, 190, 200, 34), {}},
    {H::TextDropShadow, 0, 0, 35125, K::Push, 0, 0, {"shadow", "Sombra projetada", S::WideAction}, Rect::fromSize(6, 232, 200, 34), {}},
    {H::None, 0, 216, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 286, 200, 150), {}},  // the font list
}));
const std::span<const ButtonDefinition> kPanel11 = kPanel11Rows;

constexpr auto kPanel3Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::NewLayer, 0, 0, 35126, K::Push, 0, 0, {"layer-new", "Nova", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::DuplicateLayer, 0, 0, 35127, K::Push, 0, 0, {"layer-duplicate", "Duplicar", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::MoveLayer, 1, 0, 35128, K::Push, 0, 0, {"go-up", "Subir", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::MoveLayer, 65535, 0, 35129, K::Push, 0, 0, {"go-down", "Descer", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::MergeLayerDown, 0, 0, 35130, K::Push, 0, 0, {"layer-merge", "Mesclar", S::Tile}, Rect::fromSize(4, 196, 100, 54), {}},
    {H::FlattenImage, 0, 0, 35131, K::Push, 0, 0, {"flatten", "Achatar", S::Tile}, Rect::fromSize(108, 196, 100, 54), {}},
    {H::OpenAsLayer, 0, 0, 35132, K::Push, 0, 0, {"layer-open", "Abrir camada", S::Tile}, Rect::fromSize(4, 256, 100, 54), {}},
    {H::ShowLayerPalette, 0, 0, 35133, K::Check, 0, 0, {"layers", "Paleta de camadas", S::Choice}, Rect::fromSize(6, 322, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel3 = kPanel3Rows;

constexpr auto kPanel9Rows = Rows(kEditStrip, std::to_array<ButtonDefinition>({
    {H::OneClickEnhancement, 6, 0, 35134, K::Push, 0, 0, {"auto-fix", "Automático", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::OneClickEnhancement, 7, 0, 35135, K::Push, 0, 0, {"balance", "Equilibrar", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::SwitchScreen, 10, 0, 35136, K::Push, 2, 0, {"sliders", "Ajustes", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::SwitchScreen, 27, 0, 35137, K::Push, 2, 0, {"effects", "Efeitos", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
}));
const std::span<const ButtonDefinition> kPanel9 = kPanel9Rows;

constexpr ButtonDefinition kPanel10Rows[] = {
    {H::EnhancementMode, 0, 0, 35138, K::Push, 2, 1, {"brightness", "", S::SmallIcon}, Rect::fromSize(6, 30, 30, 30), {}},
    {H::EnhancementMode, 1, 0, 35139, K::Push, 2, 0, {"contrast", "", S::SmallIcon}, Rect::fromSize(40, 30, 30, 30), {}},
    {H::EnhancementMode, 2, 0, 35140, K::Push, 2, 0, {"colour", "", S::SmallIcon}, Rect::fromSize(74, 30, 30, 30), {}},
    {H::EnhancementMode, 3, 0, 35141, K::Push, 2, 0, {"rgb", "", S::SmallIcon}, Rect::fromSize(108, 30, 30, 30), {}},
    {H::EnhancementMode, 4, 0, 35142, K::Push, 2, 0, {"sharpen", "", S::SmallIcon}, Rect::fromSize(142, 30, 30, 30), {}},
    {H::EnhancementMode, 5, 0, 35143, K::Push, 2, 0, {"soften", "", S::SmallIcon}, Rect::fromSize(176, 30, 30, 30), {}},
    {H::EnhancementSlider, 1, 0, 35144, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 78, 162, 22), {}},
    {H::EnhancementSlider, 1, 0, 35144, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 78, 16, 22), {}},
    {H::EnhancementSlider, 2, 0, 35145, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 114, 162, 22), {}},
    {H::EnhancementSlider, 2, 0, 35145, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 114, 16, 22), {}},
    {H::EnhancementSlider, 3, 0, 35146, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 150, 162, 22), {}},
    {H::EnhancementSlider, 3, 0, 35146, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 150, 16, 22), {}},
    {H::PreviewAdjustment, 0, 0, 35147, K::Check, 0, 1, {"check", "Visualizar", S::Choice}, Rect::fromSize(6, 184, 100, 28), {}},
    {H::ApplyAdjustment, 0, 0, 35148, K::Push, 0, 0, {"apply", "Aplicar", S::Primary}, Rect::fromSize(110, 184, 96, 28), {}},
    {H::CancelAdjustment, 0, 0, 35149, K::Push, 0, 0, {"cancel", "", S::SmallIcon}, Rect::fromSize(184, 3, 22, 22), {}},
};
const std::span<const ButtonDefinition> kPanel10 = kPanel10Rows;

constexpr ButtonDefinition kPanel27Rows[] = {
    {H::None, 0, 217, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(6, 30, 200, 112), {}},  // the effects list
    {H::EffectStrength, 0, 0, 35154, K::SliderTrack, 0, 0, {"", "", S::SliderTrack}, Rect::fromSize(6, 156, 162, 22), {}},
    {H::EffectStrength, 0, 0, 35154, K::SliderThumb, 0, 0, {"", "", S::SliderThumb}, Rect::fromSize(79, 156, 16, 22), {}},
    {H::ApplyAdjustment, 0, 0, 35148, K::Push, 0, 0, {"apply", "Aplicar", S::Primary}, Rect::fromSize(110, 186, 96, 28), {}},
    {H::CancelAdjustment, 0, 0, 35149, K::Push, 0, 0, {"cancel", "", S::SmallIcon}, Rect::fromSize(184, 3, 22, 22), {}},
};
const std::span<const ButtonDefinition> kPanel27 = kPanel27Rows;

}  // namespace lv::skin::data
