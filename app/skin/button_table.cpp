#include "app/skin/button_table.h"

#include "app/skin/button_table_data.h"
#include "common/string_table.h"

#include <array>

namespace lv::skin {
namespace {

// Indexed by panel id.
constexpr std::array<const std::span<const ButtonDefinition>*, kAllPanelCount> kRows = {{
    &data::kPanel0, &data::kPanel1, &data::kPanel2, &data::kPanel3, &data::kPanel4, &data::kPanel5, &data::kPanel6,
    &data::kPanel7, &data::kPanel8, &data::kPanel9, &data::kPanel10, &data::kPanel11, &data::kPanel12, &data::kPanel13,
    &data::kPanel14, &data::kPanel15, &data::kPanel16, &data::kPanel17, &data::kPanel18, &data::kPanel19, &data::kPanel20,
    &data::kPanel21, &data::kPanel22, &data::kPanel23, &data::kPanel24, &data::kPanel25, &data::kPanel26, &data::kPanel27,
    &data::kPanel28, &data::kPanel29, &data::kPanel30, &data::kPanel31, &data::kPanel32, &data::kPanel33, &data::kPanel34,
    &data::kPanel35, &data::kPanel36, &data::kPanel37, &data::kPanel38, &data::kPanel39,
}};

// Title, subtitle, style and size (for panels of the "640" file only) of each panel.
constexpr std::array<PanelDefinition, kAllPanelCount> kPanels = {{
    {"Lumivista 2000", "", PanelStyle::MainWindow, 0, 0},
    {"Obter fotos", "Scanner, câmera e tela", PanelStyle::SidePanel, 212, 476},
    {"Ajustar imagem", "Abrir, salvar, girar e aparar", PanelStyle::SidePanel, 212, 476},
    {"Camadas", "Organize as camadas da foto", PanelStyle::SidePanel, 212, 476},
    {"E-mail", "Envie a foto ativa", PanelStyle::SidePanel, 212, 476},
    {"Imprimir", "Fotos no papel", PanelStyle::SidePanel, 212, 476},
    {"Baixar da loja de fotos", "Harborlyn", PanelStyle::SidePanel, 212, 476},
    {"Apresentação", "O álbum em tela cheia", PanelStyle::SidePanel, 212, 476},
    {"Seleção", "Escolha a parte da foto", PanelStyle::SidePanel, 212, 476},
    {"Aprimorar", "Corrija e embeleze", PanelStyle::SidePanel, 212, 476},
    {"Ajustes", "", PanelStyle::SubPanel, 212, 220},
    {"Texto", "Letras sobre a foto", PanelStyle::SidePanel, 212, 476},
    {"Pintar", "Escolha um grupo de pincéis", PanelStyle::SidePanel, 212, 476},
    {"Pincéis", "", PanelStyle::SubPanel, 212, 220},
    {"Retoque", "", PanelStyle::SubPanel, 212, 220},
    {"Clonar", "", PanelStyle::SubPanel, 212, 220},
    {"Olhos e borracha", "", PanelStyle::SubPanel, 212, 220},
    {"Preencher e carimbos", "Cores, padrões e carimbos", PanelStyle::SidePanel, 212, 476},
    {"Meus álbuns", "Fotos em miniaturas", PanelStyle::SidePanel, 212, 476},
    {"Cartões", "Cartões com as suas fotos", PanelStyle::SidePanel, 212, 476},
    {"Calendário", "Um mês com a sua foto", PanelStyle::SidePanel, 212, 476},
    {"Molduras", "Fotos emolduradas", PanelStyle::SidePanel, 212, 476},
    {"Galeria", "Fundos, texturas e enfeites", PanelStyle::SidePanel, 212, 476},
    {"Panorama e orientação", "Junte e endireite fotos", PanelStyle::SidePanel, 212, 476},
    {"Enviar à loja de fotos", "Harborlyn", PanelStyle::SidePanel, 212, 476},
    {"Compartilhar", "Mostre as suas fotos", PanelStyle::SidePanel, 212, 476},
    {"Captura de vídeo", "", PanelStyle::SubPanel, 212, 220},
    {"Efeitos", "", PanelStyle::SubPanel, 212, 220},
    {"Lumivista 2000 na Internet", "", PanelStyle::InternetWindow, 0, 0},
    {"Meus links", "", PanelStyle::ContentPage, 560, 476},
    {"Álbum na Web", "Arraste fotos para cá", PanelStyle::ContentPage, 560, 476},
    {"Animações", "Cartões animados", PanelStyle::ContentPage, 560, 476},
    {"Criar para a Web", "Álbuns e animações", PanelStyle::SidePanel, 212, 476},
    {"Links", "Seus endereços favoritos", PanelStyle::SidePanel, 212, 476},
    {"", "", PanelStyle::Strip, 540, 96},
    {"Álbuns", "", PanelStyle::ListBox, 192, 114},
    {"Fontes", "", PanelStyle::ListBox, 200, 150},
    {"Efeitos artísticos", "", PanelStyle::ListBox, 200, 112},
    {"", "", PanelStyle::ToolBar, 22, 42},
    {"", "", PanelStyle::ToolBar, 30, 62},
}};

const PanelDefinition kNoPanel{};

}  // namespace

std::span<const ButtonDefinition> PanelButtons(int panel)
{
    if (panel < 0 || panel >= kAllPanelCount)
        return {};
    return *kRows[panel];
}

const PanelDefinition& Panel(int panel)
{
    return panel >= 0 && panel < kAllPanelCount ? kPanels[panel] : kNoPanel;
}

int ButtonIndexByControl(int panel, int controlId)
{
    const auto buttons = PanelButtons(panel);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].controlId == controlId)
            return int(i);
    return -1;
}

std::string_view ButtonCaption(const ButtonDefinition& button)
{
    return button.art.caption.empty() && button.tooltip >= 0 ? LoadString(button.tooltip) : button.art.caption;
}

}  // namespace lv::skin
