#include "app/core/project_steps.h"

#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

// Layers named front first; a name starting with "T:" makes a text layer.
std::unique_ptr<LayerStack> Template(std::vector<std::string> names)
{
    auto doc = CreateEmptyLayerStack(40, 30, 24);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        EXPECT_TRUE(AddLayer(*doc, 0, DibCreate(10, 10, 0, false), {}, false, false));
        const bool text = name->rfind("T:", 0) == 0;
        SetLayerName(*doc, 0, text ? name->substr(2) : *name);
        if (text)
            doc->layers[0].kind = LAYER_TEXT;
    }
    return doc;
}

TEST(ProjectSteps, PlaceholdersRunFromTheBottomSkippingPiecesAndDecorationAndWrapBothWays)
{
    // 0 text named like decoration, 1 Year, 2 Enfeite, 3 photo, 4 Days, 5 Moldura, 6 background
    const auto doc = Template({"T:Enfeite//x//1", "Year//x//1", "Enfeite//sol", "Foto//x//1", "Days//x//2abc",
                               "Moldura//x", "Background"});
    EXPECT_EQ(PlaceholderLayers(*doc), (std::vector<int>{6, 3, 0}));
    // Past the front wraps to the bottom and back; from a piece forwards is the first, from nowhere backwards the last.
    EXPECT_EQ((std::vector{StepPlaceholder(*doc, 6, 1), StepPlaceholder(*doc, 0, 1), StepPlaceholder(*doc, 6, -1),
                           StepPlaceholder(*doc, 1, 1), StepPlaceholder(*doc, -1, -1)}),
              (std::vector{3, 6, 0, 6, 0}));
}

TEST(ProjectSteps, ATemplateOfOnlyArtworkHasNothingToStepTo)
{
    const auto pieces = Template({"Month//x//1", "Enfeite"});
    const auto empty = CreateEmptyLayerStack(10, 10, 24);
    EXPECT_EQ(std::tuple(PlaceholderLayers(*pieces).size(), StepPlaceholder(*pieces, 0, 1), StepPlaceholder(*empty, 0, -1)),
              std::tuple(0u, -1, -1));
    const auto one = Template({"my photo"});
    EXPECT_EQ(std::tuple(StepPlaceholder(*one, 0, 1), StepPlaceholder(*one, 0, -1)), std::tuple(0, 0))
        << "a single placeholder steps onto itself";
}

}  // namespace
}  // namespace lv
