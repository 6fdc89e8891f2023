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
    {1112, "Não é possível localizar"},
    {2004, "Não há memória suficiente."},
    {2329, "Espaço de disco insuficiente ou erro no disco."},
    {2331, "Espaço de disco insuficiente para arquivo de backup! Continua a salvar?"},
    {2356, "Formato de arquivo desconhecido."},
    {2389, ".BMP"},
    {2390, ".TIF"},
    {2391, ".PCX"},
    {2392, ".GIF"},
    {2393, ".TGA"},
    {2394, ".JPG"},
    {2395, ".EPS"},
    {2396, ".J6I"},
    {2504, "&Qualidade: %d"},
    {2615, "&Entrelaçar"},
    {2937, "Fundo"},
    {3005, "Esta imagem não pode ser gravada com o formato VLF."},
    {3006, "As informações serão perdidas se não forem gravadas no formato VLF, deseja continuar?"},
    {3007, "Não é possível adicionar uma nova camada pois já alcançou a capacidade máxima."},
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
