// Button rows of panels 1, 26, 6, 18, 22; see button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

// The section strip of the Obter fotos pages; the page shown is the one chosen.
constexpr auto kAcquireStrip = std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 1, 0, 35028, K::Push, 5, 0, {"scanner", "", S::SectionIcon}, Rect::fromSize(6, 4, 26, 26), {}},
    {H::SwitchScreen, 26, 0, 35029, K::Push, 5, 0, {"camera-video", "", S::SectionIcon}, Rect::fromSize(35, 4, 26, 26), {}},
    {H::SwitchScreen, 6, 0, 35030, K::Push, 5, 0, {"store", "", S::SectionIcon}, Rect::fromSize(64, 4, 26, 26), {}},
});

// The section strip of the album pages; the page shown is the one chosen.
constexpr auto kAlbumStrip = std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 18, 0, 35047, K::Push, 5, 0, {"album", "", S::SectionIcon}, Rect::fromSize(6, 4, 26, 26), {}},
    {H::SwitchScreen, 22, 0, 35048, K::Push, 5, 0, {"gallery", "", S::SectionIcon}, Rect::fromSize(35, 4, 26, 26), {}},
});

constexpr auto kPanel1Rows = Rows(kAcquireStrip, std::to_array<ButtonDefinition>({
    {H::AcquireScan, 0, 0, 35031, K::Push, 0, 0, {"scanner", "Digitalizar", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::SelectScanSource, 0, 0, 35032, K::Push, 0, 0, {"scanner-select", "Origem", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::SwitchScreen, 26, 192, 35033, K::Push, 0, 0, {"camera-video", "Vídeo", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::CaptureScreen, 103, 0, 35034, K::Push, 0, 0, {"screen", "Tela inteira", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::CaptureScreen, 101, 0, 35035, K::Push, 0, 0, {"window", "Janela", S::Tile}, Rect::fromSize(4, 196, 100, 54), {}},
    {H::CaptureScreen, 102, 0, 35036, K::Push, 0, 0, {"window-client", "Interior", S::Tile}, Rect::fromSize(108, 196, 100, 54), {}},
}));
const std::span<const ButtonDefinition> kPanel1 = kPanel1Rows;

constexpr ButtonDefinition kPanel26Rows[] = {
    {H::OpenVideoCapture, 0, 0, 35037, K::Push, 0, 0, {"camera-video", "Abrir captura", S::WideAction}, Rect::fromSize(6, 34, 200, 34), {}},
    {H::VideoFormat, 0, 0, 35038, K::Push, 0, 0, {"settings", "Formato", S::WideAction}, Rect::fromSize(6, 74, 200, 34), {}},
    {H::VideoSource, 0, 0, 35039, K::Push, 0, 0, {"video-source", "Origem", S::WideAction}, Rect::fromSize(6, 114, 200, 34), {}},
    {H::GrabVideoFrame, 0, 0, 35040, K::Push, 0, 0, {"capture", "Capturar quadro", S::Primary}, Rect::fromSize(6, 160, 200, 40), {}},
};
const std::span<const ButtonDefinition> kPanel26 = kPanel26Rows;

constexpr auto kPanel6Rows = Rows(kAcquireStrip, std::to_array<ButtonDefinition>({
    {H::None, 0, 160, 35041, K::Region, 0, 0, {"", "Ident. do usuário", S::Field}, Rect::fromSize(10, 100, 192, 26), {}},
    {H::None, 0, 102, 35042, K::Region, 0, 0, {"", "Senha:", S::Field}, Rect::fromSize(10, 156, 192, 26), {}},
    {H::ConnectPhotoStore, 0, 0, 35043, K::Push, 0, 0, {"login", "Entrar", S::Primary}, Rect::fromSize(6, 196, 200, 34), {}},
    {H::DownloadPhotos, 0, 0, 35044, K::Push, 0, 0, {"download", "Baixar fotos", S::WideAction}, Rect::fromSize(6, 244, 200, 34), {}},
    {H::AddDownloadsToAlbum, 0, 161, 35045, K::Toggle, 0, 1, {"check", "Adicionar ao álbum", S::Choice}, Rect::fromSize(6, 286, 200, 34), {}},
    {H::OpenPhotosFolder, 0, 0, 35046, K::Push, 0, 0, {"folder", "Pasta de fotos", S::WideAction}, Rect::fromSize(6, 328, 200, 34), {}},
    {H::OpenStoreWebSite, 0, 0, 35391, K::Push, 0, 0, {"web", "Abrir o site", S::WideAction}, Rect::fromSize(6, 370, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel6 = kPanel6Rows;

constexpr auto kPanel18Rows = Rows(kAlbumStrip, std::to_array<ButtonDefinition>({
    {H::None, 0, 201, 35049, K::Region, 0, 0, {"", "Nome do álbum", S::Field}, Rect::fromSize(10, 96, 192, 26), {}},
    {H::None, 0, 200, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(10, 132, 192, 114), {}},
    {H::AlbumAddPhotos, 0, 0, 35050, K::Push, 0, 0, {"add-photo", "Adicionar", S::Tile}, Rect::fromSize(4, 256, 100, 54), {}},
    {H::AlbumDeletePhotos, 0, 211, 35051, K::Push, 0, 0, {"delete", "Excluir", S::Tile}, Rect::fromSize(108, 256, 100, 54), {}},
    {H::AlbumOpenPhoto, 0, 0, 35052, K::Push, 0, 0, {"open", "Abrir foto", S::Tile}, Rect::fromSize(4, 316, 100, 54), {}},
    {H::AlbumSearch, 0, 0, 35053, K::Push, 0, 0, {"search", "Pesquisar", S::Tile}, Rect::fromSize(108, 316, 100, 54), {}},
    {H::AlbumNew, 0, 0, 35054, K::Push, 0, 0, {"album-new", "Novo álbum", S::Tile}, Rect::fromSize(4, 376, 100, 54), {}},
    {H::AlbumProperties, 0, 0, 35055, K::Push, 0, 0, {"properties", "Propriedades", S::Tile}, Rect::fromSize(108, 376, 100, 54), {}},
    {H::AlbumScroll, 0xFFFF0000, 0, 35056, K::Scroll, 0, 0, {"go-up", "", S::SmallIcon}, Rect::fromSize(144, 440, 28, 28), {}},
    {H::AlbumScroll, 0x00010000, 0, 35057, K::Scroll, 0, 0, {"go-down", "", S::SmallIcon}, Rect::fromSize(178, 440, 28, 28), {}},
    // "Obter": what is scanned, captured or downloaded here joins the album shown.
    {H::AcquireScan, 0, 0, 35420, K::Push, 0, 0, {"scanner", "", S::SmallIcon}, Rect::fromSize(6, 440, 28, 28), {}},
    {H::CaptureScreen, 103, 0, 35421, K::Push, 0, 0, {"screen", "", S::SmallIcon}, Rect::fromSize(40, 440, 28, 28), {}},
    {H::SwitchScreen, 6, 0, 35422, K::Push, 0, 0, {"download", "", S::SmallIcon}, Rect::fromSize(74, 440, 28, 28), {}},
}));
const std::span<const ButtonDefinition> kPanel18 = kPanel18Rows;

constexpr auto kPanel22Rows = Rows(kAlbumStrip, std::to_array<ButtonDefinition>({
    // The gallery's categories: gradients, textures, the two clip-art albums and the stamps.
    {H::AlbumCategory, 11, 0, 35058, K::Push, 4, 1, {"gradient", "Fundos", S::Choice}, Rect::fromSize(6, 80, 200, 34), {}},
    {H::AlbumCategory, 12, 0, 35059, K::Push, 4, 0, {"texture", "Texturas", S::Choice}, Rect::fromSize(6, 120, 200, 34), {}},
    {H::AlbumCategory, 8, 0, 35060, K::Push, 4, 0, {"clipart", "Fantasia", S::Choice}, Rect::fromSize(6, 160, 200, 34), {}},
    {H::AlbumCategory, 9, 0, 35060, K::Push, 4, 0, {"clipart", "Legais", S::Choice}, Rect::fromSize(6, 200, 200, 34), {}},
    {H::AlbumCategory, 5, 0, 35063, K::Push, 4, 0, {"stamp", "Carimbos", S::Choice}, Rect::fromSize(6, 240, 200, 34), {}},
    {H::AlbumOpenPhoto, 0, 0, 35064, K::Push, 0, 0, {"open", "Usar", S::Primary}, Rect::fromSize(6, 290, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel22 = kPanel22Rows;

}  // namespace lv::skin::data
