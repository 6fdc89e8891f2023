// Every effect's strength slider changes the picture across its whole range, whatever the
// photo's size: a radius rounded to whole pixels must not swallow the slider's steps.

#include "effects/catalogue.h"
#include "effects/operation.h"
#include "effects/tests/test_pictures.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string_view>

namespace lv::testing {
namespace {

constexpr int kLeastDistinct = 8;  // of the eleven strengths 0, 10, ..., 100

int DistinctOutputs(const HDIB& photo, int code)
{
    const effects::OperationSpec* spec = effects::FindOperation(code);
    if (!spec)
        return 0;
    std::set<std::size_t> outputs;
    for (int strength = 0; strength <= 100; strength += 10) {
        const HDIB out = Apply(photo, code, ParametersFor(*spec, strength), 2);
        if (!out)
            return 0;
        outputs.insert(std::hash<std::string_view>{}(
            std::string_view(reinterpret_cast<const char*>(out.data()), out.size())));
    }
    return int(outputs.size());
}

void ExpectEveryStrengthCounts(int width, int height)
{
    const HDIB photo = MakeTestPhoto(width, height);
    for (const effects::EffectEntry& effect : effects::EffectCatalogue()) {
        if (!effect.usesStrength)
            continue;
        EXPECT_GE(DistinctOutputs(photo, effect.code), kLeastDistinct) << effect.name << " (" << effect.code << ")";
    }
}

TEST(StrengthRange, EveryEffectsStrengthChangesA720PixelPhoto)
{
    ExpectEveryStrengthCounts(720, 480);
}

TEST(StrengthRange, TheExemptEffectHasNoStrength)
{
    const effects::EffectEntry* negative = nullptr;
    for (const effects::EffectEntry& effect : effects::EffectCatalogue())
        if (effect.name == "Negativo")
            negative = &effect;
    ASSERT_NE(negative, nullptr);
    EXPECT_FALSE(negative->usesStrength);
    EXPECT_EQ(DistinctOutputs(MakeTestPhoto(90, 60), negative->code), 1);
}

// Run on its own (label `long`): minutes of work.
TEST(StrengthRange, DISABLED_EveryEffectsStrengthChangesA4000PixelPhoto)
{
    ExpectEveryStrengthCounts(4000, 3000);
}

}  // namespace
}  // namespace lv::testing
