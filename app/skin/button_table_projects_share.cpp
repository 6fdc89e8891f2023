// Button rows of panels 19, 20, 21, 23, 25, 4, 5, 7, 24; see button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

// The section strip of the Projetos pages; the page shown is the one chosen.
constexpr auto kProjectStrip = std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 19, 0, 35155, K::Push, 5, 0, {"card", "", S::SectionIcon}, Rect::fromSize(6, 4, 26, 26), {}},
    {H::SwitchScreen, 20, 0, 35156, K::Push, 5, 0, {"calendar", "", S::SectionIcon}, Rect::fromSize(35, 4, 26, 26), {}},
    {H::SwitchScreen, 21, 0, 35061, K::Push, 5, 0, {"frame", "", S::SectionIcon}, Rect::fromSize(64, 4, 26, 26), {}},
    {H::SwitchScreen, 23, 0, 35157, K::Push, 5, 0, {"panorama", "", S::SectionIcon}, Rect::fromSize(93, 4, 26, 26), {}},
});

// Placing photos in a template, on every template page.
constexpr auto kTemplateSteps = std::to_array<ButtonDefinition>({
    {H::ChooseTemplate, 0, 0, 35158, K::Push, 0, 0, {"template", "Modelo", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::PlacePhoto, 0, 0, 35159, K::Push, 0, 0, {"add-photo", "Colocar foto", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::PreviousPlaceholder, 0, 0, 35160, K::Push, 0, 0, {"go-previous", "Anterior", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::NextPlaceholder, 0, 0, 35161, K::Push, 0, 0, {"go-next", "Próximo", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
});

// Saving and printing a template page.
constexpr auto kProjectOutput = std::to_array<ButtonDefinition>({
    {H::SaveProject, 0, 0, 35162, K::Push, 0, 0, {"save", "Salvar projeto", S::WideAction}, Rect::fromSize(6, 380, 200, 34), {}},
    {H::PrintProject, 0, 0, 35163, K::Push, 0, 0, {"printer", "Imprimir", S::Primary}, Rect::fromSize(6, 422, 200, 34), {}},
});

// The section strip of the Compartilhar pages; the page shown is the one chosen.
constexpr auto kShareStrip = std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 25, 0, 35172, K::Push, 5, 0, {"share", "", S::SectionIcon}, Rect::fromSize(6, 4, 26, 26), {}},
    {H::SwitchScreen, 4, 0, 35173, K::Push, 5, 0, {"mail", "", S::SectionIcon}, Rect::fromSize(35, 4, 26, 26), {}},
    {H::SwitchScreen, 5, 0, 35174, K::Push, 5, 0, {"printer", "", S::SectionIcon}, Rect::fromSize(64, 4, 26, 26), {}},
    {H::SwitchScreen, 7, 0, 35175, K::Push, 5, 0, {"slideshow", "", S::SectionIcon}, Rect::fromSize(93, 4, 26, 26), {}},
    {H::SwitchScreen, 24, 0, 35176, K::Push, 5, 0, {"upload", "", S::SectionIcon}, Rect::fromSize(122, 4, 26, 26), {}},
});

constexpr auto kPanel19Rows = Rows(kProjectStrip, kTemplateSteps, kProjectOutput);
const std::span<const ButtonDefinition> kPanel19 = kPanel19Rows;

constexpr auto kPanel20Rows = Rows(kProjectStrip, kTemplateSteps, std::to_array<ButtonDefinition>({
    {H::None, 0, 179, 35164, K::Region, 0, 0, {"", "Ano", S::Field}, Rect::fromSize(40, 218, 132, 30), {}},
    {H::CalendarYear, 0xFFFF0000, 0, 35165, K::Scroll, 0, 0, {"go-previous", "", S::SmallIcon}, Rect::fromSize(6, 218, 30, 30), {}},
    {H::CalendarYear, 0x00010000, 0, 35166, K::Scroll, 0, 0, {"go-next", "", S::SmallIcon}, Rect::fromSize(176, 218, 30, 30), {}},
    {H::None, 0, 178, 35167, K::Region, 0, 0, {"", "Mês", S::Field}, Rect::fromSize(40, 272, 132, 30), {}},
    {H::CalendarMonth, 0xFFFF0000, 0, 35168, K::Scroll, 0, 0, {"go-previous", "", S::SmallIcon}, Rect::fromSize(6, 272, 30, 30), {}},
    {H::CalendarMonth, 0x00010000, 0, 35169, K::Scroll, 0, 0, {"go-next", "", S::SmallIcon}, Rect::fromSize(176, 272, 30, 30), {}},
}), kProjectOutput);
const std::span<const ButtonDefinition> kPanel20 = kPanel20Rows;

constexpr auto kPanel21Rows = Rows(kProjectStrip, kTemplateSteps, kProjectOutput);
const std::span<const ButtonDefinition> kPanel21 = kPanel21Rows;

constexpr auto kPanel23Rows = Rows(kProjectStrip, std::to_array<ButtonDefinition>({
    {H::StitchPanorama, 0, 0, 35170, K::Push, 0, 0, {"panorama", "Panorama", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::OrientationTool, 0, 0, 35171, K::Push, 0, 0, {"orientation", "Orientação", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
}));
const std::span<const ButtonDefinition> kPanel23 = kPanel23Rows;

constexpr auto kPanel25Rows = Rows(kShareStrip, std::to_array<ButtonDefinition>({
    {H::SwitchScreen, 4, 0, 35177, K::Push, 0, 0, {"mail", "E-mail", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::SwitchScreen, 5, 0, 35178, K::Push, 0, 0, {"printer", "Imprimir", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::SwitchScreen, 7, 0, 35179, K::Push, 0, 0, {"slideshow", "Apresentação", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::SwitchScreen, 24, 0, 35180, K::Push, 0, 0, {"upload", "Loja de fotos", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::SwitchScreen, 28, 0, 35181, K::Push, 0, 0, {"web", "Internet", S::Primary}, Rect::fromSize(6, 200, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel25 = kPanel25Rows;

constexpr auto kPanel4Rows = Rows(kShareStrip, std::to_array<ButtonDefinition>({
    {H::None, 0, 156, 35182, K::Region, 0, 0, {"", "Para:", S::Field}, Rect::fromSize(10, 96, 192, 26), {}},
    {H::None, 0, 157, 35183, K::Region, 0, 0, {"", "Assunto:", S::Field}, Rect::fromSize(10, 142, 192, 26), {}},
    {H::None, 0, 158, 35184, K::Region, 0, 0, {"", "Mensagem:", S::Field}, Rect::fromSize(10, 188, 192, 110), {}},
    {H::AttachActiveImage, 0, 0, 35185, K::Check, 0, 1, {"check", "Anexar a imagem", S::Choice}, Rect::fromSize(6, 310, 200, 34), {}},
    {H::SendEmail, 0, 0, 35186, K::Push, 0, 0, {"send", "Enviar", S::Primary}, Rect::fromSize(6, 356, 200, 34), {}},
    {H::EmailRoute, 0, 0, 35187, K::Push, 0, 0, {"settings", "Servidor de e-mail", S::WideAction}, Rect::fromSize(6, 400, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel4 = kPanel4Rows;

constexpr auto kPanel5Rows = Rows(kShareStrip, std::to_array<ButtonDefinition>({
    {H::PrintSingleImage, 0, 0, 35188, K::Push, 0, 0, {"printer", "Imagem", S::Tile}, Rect::fromSize(4, 76, 100, 54), {}},
    {H::PrintLayoutPage, 0, 0, 35189, K::Push, 0, 0, {"print-layout", "Página", S::Tile}, Rect::fromSize(108, 76, 100, 54), {}},
    {H::PrintContactSheet, 0, 0, 35190, K::Push, 0, 0, {"contact-sheet", "Contatos", S::Tile}, Rect::fromSize(4, 136, 100, 54), {}},
    {H::PrintLabels, 0, 0, 35191, K::Push, 0, 0, {"labels", "Etiquetas", S::Tile}, Rect::fromSize(108, 136, 100, 54), {}},
    {H::PrinterSetup, 0, 0, 35192, K::Push, 0, 0, {"settings", "Impressora", S::WideAction}, Rect::fromSize(6, 200, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel5 = kPanel5Rows;

constexpr auto kPanel7Rows = Rows(kShareStrip, std::to_array<ButtonDefinition>({
    {H::StartSlideShow, 0, 0, 35193, K::Push, 0, 0, {"play", "Iniciar", S::Primary}, Rect::fromSize(6, 88, 200, 44), {}},
    {H::SlideShowSettings, 0, 0, 35194, K::Push, 0, 0, {"settings", "Configurações", S::WideAction}, Rect::fromSize(6, 144, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel7 = kPanel7Rows;

constexpr auto kPanel24Rows = Rows(kShareStrip, std::to_array<ButtonDefinition>({
    {H::None, 0, 160, 35041, K::Region, 0, 0, {"", "Ident. do usuário", S::Field}, Rect::fromSize(10, 100, 192, 26), {}},
    {H::None, 0, 102, 35042, K::Region, 0, 0, {"", "Senha:", S::Field}, Rect::fromSize(10, 156, 192, 26), {}},
    {H::ConnectPhotoStore, 0, 0, 35043, K::Push, 0, 0, {"login", "Entrar", S::Primary}, Rect::fromSize(6, 196, 200, 34), {}},
    {H::UploadPhotos, 0, 0, 35195, K::Push, 0, 0, {"upload", "Enviar fotos", S::WideAction}, Rect::fromSize(6, 244, 200, 34), {}},
    {H::OrderPrints, 0, 0, 35196, K::Push, 0, 0, {"order", "Encomendar cópias", S::WideAction}, Rect::fromSize(6, 286, 200, 34), {}},
    {H::AddDownloadsToAlbum, 0, 161, 35045, K::Toggle, 0, 1, {"check", "Adicionar ao álbum", S::Choice}, Rect::fromSize(6, 328, 200, 34), {}},
    {H::OpenStoreWebSite, 0, 0, 35391, K::Push, 0, 0, {"web", "Abrir o site", S::WideAction}, Rect::fromSize(6, 370, 200, 34), {}},
}));
const std::span<const ButtonDefinition> kPanel24 = kPanel24Rows;

}  // namespace lv::skin::data
