#include "common/string_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace lv {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Keep sorted by number: lookups are a binary search.
constexpr Entry kStrings[] = {
    {111, "Não é possível capturar a janela da área de trabalho. Use a opção 'Área de trabalho' para capturar a tela inteira."},
    {112, "Incapaz de capturar aquela janela (hWnd é NULL)."},
    {113, "Capturado - Sem título"},
    {140, "Pixel"},
    {141, "Polegada"},
    {142, "Cm"},
    {162, "TrueColor-Sem título"},
    {1112, "Não é possível localizar"},
    {2004, "Não há memória suficiente."},
    {2015, "AppName"},
    {2016, "Version"},
    {2017, "Login_ID"},
    {2018, "GammaR"},
    {2019, "GammaG"},
    {2020, "GammaB"},
    {2021, "ActR"},
    {2022, "ActG"},
    {2023, "ActB"},
    {2024, "AltR"},
    {2025, "AltG"},
    {2026, "AltB"},
    {2027, "BrushShape"},
    {2028, "BrushSize"},
    {2029, "BrushSpeed"},
    {2030, "Show Brush"},
    {2031, "ShowColorPal"},
    {2032, "ShowTools"},
    {2033, "UndoLevel"},
    {2034, "LastDir"},
    {2035, "File"},
    {2036, "Album Name"},
    {2037, "StampName"},
    {2038, "FitInWindow"},
    {2039, "ScanCalFlag"},
    {2040, "ScanCalChannel"},
    {2041, "ScanCalParam"},
    {2042, "PrintCalFlag"},
    {2043, "PrintCalChannel"},
    {2044, "BlackGeneration"},
    {2045, "UnderColorRemov"},
    {2046, "TotalInkLimit"},
    {2047, "TransparencyGrid"},
    {2281, "Novo álbum"},
    {2322, "O arquivo: "},
    {2327, "Máscara-Sem título"},
    {2328, "Digitalizado-Sem título"},
    {2329, "Espaço de disco insuficiente ou erro no disco."},
    {2331, "Espaço de disco insuficiente para arquivo de backup! Continua a salvar?"},
    {2341, "Clique com o botão direito para escolher uma fonte de clonagem."},
    {2344, " Visualizar %d%%  "},
    {2348, "O tamanho da imagem é grande demais."},
    {2356, "Formato de arquivo desconhecido."},
    {2363, "\nfoi modificado. Deseja salvá-lo?"},
    {2364, "\nacabou de ser criado. Quer salvá-lo?"},
    {2378, "Lumivista - "},
    {2389, ".BMP"},
    {2390, ".TIF"},
    {2391, ".PCX"},
    {2392, ".GIF"},
    {2393, ".TGA"},
    {2394, ".JPG"},
    {2395, ".EPS"},
    {2396, ".J6I"},
    {2400, "  Ferramenta Selecionar"},
    {2403, "  Ferramenta Selecionar elípse"},
    {2406, "  Ferramenta Selecionar mão livre"},
    {2409, "  Ferramenta Varinha Mágica"},
    {2412, "  Ferramenta Mover Área"},
    {2415, "  Ferramenta Mover Área"},
    {2418, "  Ferramenta Visualizar"},
    {2421, "  Ferramente Agarrar"},
    {2424, "  Ferramenta Texto"},
    {2427, "  Ferramenta Carimbo"},
    {2430, "  Ferramenta Preencher com Gradiente"},
    {2433, "  Ferramenta Preencher com Balde"},
    {2436, "  Ferramenta Spray de Tinta"},
    {2439, "  Ferramenta Pincel"},
    {2442, "  Ferramenta Manchar"},
    {2445, "  Ferramenta Caneta"},
    {2448, "  Ferramenta Clarear/Escurecer"},
    {2451, "  Ferramenta Embaçar/Aguçar"},
    {2454, "  Ferramenta Clonar"},
    {2457, "  Ferramenta Borracha"},
    {2460, "  Ferramenta Transformar"},
    {2463, "  Ferramenta Aparar"},
    {2466, "  Ferramenta Selecionar cor"},
    {2469, "  Ferramenta Lixeira"},
    {2478, "  Ferramenta Linha"},
    {2481, "  Ferramenta Preencher com padrão"},
    {2484, "  Ferramenta Remover vermelho dos olhos"},
    {2504, "&Qualidade: %d"},
    {2546, "Não existem imagens no álbum."},
    {2547, "Não é possível adicionar ao álbum pois ele já contém a capacidade máxima de 1000."},
    {2604, "MAPI32.DLL"},
    {2605, "MAPILogon"},
    {2606, "MAPILogoff"},
    {2607, "MAPISendMail"},
    {2608, "MAPISendDocuments"},
    {2609, "Não foi possível encontrar MAPI32.DLL. Copie o arquivo para o diretório do sistema Windows."},
    {2610, "Não foi possível carregar as funções do MAPI."},
    {2615, "&Entrelaçar"},
    {2937, "Fundo"},
    {3005, "Esta imagem não pode ser gravada com o formato VLF."},
    {3006, "As informações serão perdidas se não forem gravadas no formato VLF, deseja continuar?"},
    {3007, "Não é possível adicionar uma nova camada pois já alcançou a capacidade máxima."},
    {3078, "Não foi possível abrir o arquivo %s porque o tamanho da imagem é zero"},
    {6308, "Nenhum driver VFW está instalado no sistema"},
    {6309, "Não foi possível conectar com o dispositivo de captura de vídeo."},
    {6320, "O arquivo já existe"},
    {6322, "[Novo]"},
    {6433, "Não é possível abrir o arquivo componente."},
    {6434, "Não é possível abrir o arquivo componente."},
    {6436, "Formato de arquivo desconhecido."},
    {6448, "Ajuste as propriedades do display do sistema para true color."},
    {6461, "Deseja manter o modelo atual?"},
    {6462, "Mude a configuração do display para uma resolução de 800 x 600 ou mais alta para executar o Lumivista 2000. "},
    {6464, "Não é possível excluir este arquivo."},
    {6465, "Não é possível localizar o arquivo."},
    {6466, "Salvar erro do arquivo."},
    {33100, "Lumivista2000ClipboardFmt"},
    {34001, "Etiquetas Avery"},
    {34002, "Fotos de paisagens"},
    {34003, "Fotos de pessoas"},
    {34004, "Fotos misturadas"},
    {34005, "Fotos de um tamanho"},
    {34006, "Tamanho das fotos: "},
    {34007, "Pequeno"},
    {34008, "Médio"},
    {34009, "Grande"},
    {34012, "O serviço de correio não está configurado corretamente."},
    {34014, "A função da Internet não foi inicializada corretamente!"},
    {34016, "Jan, Fev, Mar, Abr, Mai, Jun, Jul, Ago, Set, Out, Nov, Dez"},
    {34050, "Atenção"},
    {34060, "Não é possível abrir"},
    {64468, "Salvar erro do arquivo do álbum."},
};

constexpr bool isSorted()
{
    return std::is_sorted(std::begin(kStrings), std::end(kStrings),
                          [](const Entry& a, const Entry& b) { return a.id < b.id; });
}
static_assert(isSorted(), "string table must be sorted by number");

const Entry* find(int id)
{
    const auto* it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                      [](const Entry& e, int key) { return e.id < key; });
    return it != std::end(kStrings) && it->id == id ? it : nullptr;
}

}  // namespace

std::string_view LoadString(int id)
{
    const Entry* e = find(id);
    return e ? e->text : std::string_view{};
}

bool HasString(int id)
{
    return find(id) != nullptr;
}

}  // namespace lv
