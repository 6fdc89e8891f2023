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
    EXPECT_EQ(StepPlaceholder(*doc, 6, 1), 3);
    EXPECT_EQ(StepPlaceholder(*doc, 0, 1), 6) << "past the front wraps to the bottom";
    EXPECT_EQ(StepPlaceholder(*doc, 6, -1), 0) << "before the bottom wraps to the front";
    EXPECT_EQ(StepPlaceholder(*doc, 1, 1), 6) << "from a piece: the first";
    EXPECT_EQ(StepPlaceholder(*doc, -1, -1), 0) << "from nowhere backwards: the last";
}

TEST(ProjectSteps, ATemplateOfOnlyArtworkHasNothingToStepTo)
{
    const auto pieces = Template({"Month//x//1", "Enfeite"});
    EXPECT_TRUE(PlaceholderLayers(*pieces).empty());
    EXPECT_EQ(StepPlaceholder(*pieces, 0, 1), -1);
    const auto empty = CreateEmptyLayerStack(10, 10, 24);
    EXPECT_EQ(StepPlaceholder(*empty, 0, -1), -1);
    const auto one = Template({"my photo"});
    EXPECT_EQ(StepPlaceholder(*one, 0, 1), 0) << "a single placeholder steps onto itself";
    EXPECT_EQ(StepPlaceholder(*one, 0, -1), 0);
}

}  // namespace
}  // namespace lv
