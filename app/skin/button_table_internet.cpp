// Button rows of panels 33, 32, 29, 30, 31, 34; see button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

constexpr ButtonDefinition kPanel33Rows[] = {
    {H::SwitchScreen, 29, 0, 35025, K::Push, 0, 1, {"link", "Meus links", S::Choice}, Rect::fromSize(6, 56, 200, 34), {}},
    {H::OpenLink, 1, 0, 35197, K::Push, 0, 0, {"link", "Link 1", S::Link}, Rect::fromSize(6, 100, 200, 34), {}},
    {H::OpenLink, 2, 0, 35198, K::Push, 0, 0, {"link", "Link 2", S::Link}, Rect::fromSize(6, 140, 200, 34), {}},
    {H::OpenLink, 3, 0, 35199, K::Push, 0, 0, {"link", "Link 3", S::Link}, Rect::fromSize(6, 180, 200, 34), {}},
    {H::OpenLink, 4, 0, 35200, K::Push, 0, 0, {"link", "Link 4", S::Link}, Rect::fromSize(6, 220, 200, 34), {}},
    {H::OpenLink, 5, 0, 35201, K::Push, 0, 0, {"link", "Link 5", S::Link}, Rect::fromSize(6, 260, 200, 34), {}},
    {H::EditLinks, 0, 0, 35202, K::Push, 0, 0, {"settings", "Editar links", S::WideAction}, Rect::fromSize(6, 310, 200, 34), {}},
    {H::None, 0, 197, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(222, 0, 560, 476), {}},
};
const std::span<const ButtonDefinition> kPanel33 = kPanel33Rows;

constexpr ButtonDefinition kPanel32Rows[] = {
    {H::SwitchScreen, 30, 0, 35026, K::Push, 2, 0, {"web-album", "Álbum na Web", S::Choice}, Rect::fromSize(6, 64, 200, 34), {}},
    {H::SwitchScreen, 31, 0, 35027, K::Push, 2, 0, {"animation", "Animações", S::Choice}, Rect::fromSize(6, 104, 200, 34), {}},
    {H::WebAlbumPreview, 0, 0, 35203, K::Push, 0, 0, {"web", "Visualizar", S::WideAction}, Rect::fromSize(6, 170, 200, 34), {}},
    {H::WebAlbumPublish, 0, 0, 35204, K::Push, 0, 0, {"upload", "Publicar", S::Primary}, Rect::fromSize(6, 214, 200, 34), {}},
    {H::None, 0, 197, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(222, 0, 560, 476), {}},
};
const std::span<const ButtonDefinition> kPanel32 = kPanel32Rows;

constexpr ButtonDefinition kPanel29Rows[] = {
    {H::None, 0, 211, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(20, 60, 520, 300), {}},
    {H::OpenLink, 0, 0, 35205, K::Push, 0, 0, {"web", "Abrir no navegador", S::Primary}, Rect::fromSize(360, 420, 180, 36), {}},
};
const std::span<const ButtonDefinition> kPanel29 = kPanel29Rows;

constexpr ButtonDefinition kPanel30Rows[] = {
    {H::WebAlbumAddPhotos, 0, 0, 35206, K::Push, 0, 0, {"add-photo", "Adicionar fotos", S::WideAction}, Rect::fromSize(20, 320, 160, 34), {}},
    {H::WebAlbumRemovePhoto, 0, 0, 35207, K::Push, 0, 0, {"delete", "Remover", S::WideAction}, Rect::fromSize(190, 320, 160, 34), {}},
    {H::None, 0, 208, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(10, 370, 540, 96), {}},
};
const std::span<const ButtonDefinition> kPanel30 = kPanel30Rows;

constexpr ButtonDefinition kPanel31Rows[] = {
    {H::PlayAnimation, 0, 0, 35208, K::Push, 0, 0, {"play", "Reproduzir", S::WideAction}, Rect::fromSize(20, 320, 160, 34), {}},
    {H::StopAnimation, 0, 0, 35209, K::Push, 0, 0, {"stop", "Parar", S::WideAction}, Rect::fromSize(190, 320, 160, 34), {}},
    {H::SaveAnimation, 0, 0, 35210, K::Push, 0, 0, {"save", "Salvar", S::WideAction}, Rect::fromSize(360, 320, 180, 34), {}},
    {H::AnimationAddPhotos, 0, 0, 35440, K::Push, 0, 0, {"add-photo", "Adicionar fotos", S::WideAction}, Rect::fromSize(20, 276, 160, 34), {}},
    {H::AnimationFromLayers, 0, 0, 35441, K::Push, 0, 0, {"layers", "Camadas da imagem", S::WideAction}, Rect::fromSize(190, 276, 160, 34), {}},
    {H::WebAlbumRemovePhoto, 0, 0, 35442, K::Push, 0, 0, {"delete", "Remover", S::WideAction}, Rect::fromSize(360, 276, 180, 34), {}},
    {H::None, 0, 208, -1, K::Region, 0, 0, {"", "", S::None}, Rect::fromSize(10, 370, 540, 96), {}},
};
const std::span<const ButtonDefinition> kPanel31 = kPanel31Rows;

constexpr ButtonDefinition kPanel34Rows[] = {
    {H::StripPrevious, 0, 0, 35211, K::Push, 0, 0, {"go-previous", "Anterior", S::WideAction}, Rect::fromSize(10, 30, 120, 40), {}},
    {H::StripNext, 0, 0, 35212, K::Push, 0, 0, {"go-next", "Próximo", S::WideAction}, Rect::fromSize(140, 30, 120, 40), {}},
    {H::StripClear, 0, 0, 35213, K::Push, 0, 0, {"delete", "Limpar", S::WideAction}, Rect::fromSize(410, 30, 120, 40), {}},
};
const std::span<const ButtonDefinition> kPanel34 = kPanel34Rows;

}  // namespace lv::skin::data
