#include "app/core/project_steps.h"

#include "projects/calendar.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lv {
namespace {

constexpr std::array<std::string_view, 2> kDecorationKinds = {"Enfeite", "Moldura"};

bool IsPlaceholder(const LayerRecord& layer)
{
    if (layer.kind == LAYER_TEXT)
        return true;
    const PlaceholderName name = ParsePlaceholderName(layer.name);
    if (name.piece != PieceKind::None)
        return false;
    return std::find(kDecorationKinds.begin(), kDecorationKinds.end(), name.kind) == kDecorationKinds.end();
}

}  // namespace

std::vector<int> PlaceholderLayers(const LayerStack& document)
{
    std::vector<int> layers;
    for (int i = document.layerCount - 1; i >= 0; --i)
        if (IsPlaceholder(document.layers[std::size_t(i)]))
            layers.push_back(i);
    return layers;
}

int StepPlaceholder(const LayerStack& document, int current, int step)
{
    const std::vector<int> layers = PlaceholderLayers(document);
    if (layers.empty())
        return -1;
    const auto at = std::find(layers.begin(), layers.end(), current);
    const int count = int(layers.size());
    if (at == layers.end())
        return step >= 0 ? layers.front() : layers.back();
    const int position = int(at - layers.begin());
    return layers[std::size_t(((position + step) % count + count) % count)];
}

}  // namespace lv
