#include "output/transition_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace lv {
namespace {

TEST(ShowRandom, FollowsTheClassicGeneratorFromItsSeed)
{
    ShowRandom random(1);
    for (const int expected : {41, 18467, 6334})
        EXPECT_EQ(random.next(), expected);
    ShowRandom seeded(12345);
    for (int i = 0; i < 100; ++i) {
        const int r = seeded.next();
        EXPECT_TRUE(r >= 0 && r <= ShowRandom::kMax) << r;
    }
    for (int i = 0; i < 1000; ++i) {
        const int big = seeded.below(1000000);
        const double f = seeded.fraction();
        EXPECT_TRUE(big >= 0 && big < 1000000 && f >= 0.0 && f < 1.0) << big << " " << f;
    }
}

TEST(TransitionTable, EveryRandomNumberPicksOneTransitionWithinItsVariants)
{
    std::map<int, std::set<int>> variantsReached;
    for (int r = 1; r <= kRandomNumbers; ++r) {
        const TransitionChoice c = TransitionForRandomNumber(r);
        ASSERT_GT(c.index, kRandomChoice) << r;
        ASSERT_NE(c.index, kNoTransition) << r;
        EXPECT_GE(c.variant, LowestVariant(c.index)) << r;
        variantsReached[c.index].insert(c.variant);
    }
    // Every transition but the random choice and "Nenhum" is reached, with all its variants.
    for (int i = 1; i < kTransitionCount; ++i) {
        if (i == kNoTransition)
            continue;
        for (int v = LowestVariant(i); v <= HighestVariant(i); ++v)
            EXPECT_TRUE(variantsReached[i].count(v)) << i << " variant " << v;
    }
    // Single-form transitions reached by two numbers get variant 1 from the second (44).
    for (const auto& [number, choice] :
         {std::pair{1, TransitionChoice{kCurtain, 1}}, {8, {kCurtain, 8}}, {16, {kWipe, 1}}, {53, {kWipe, 2}},
          {19, {kRandomRain, 0}}, {29, {kDiagonalPassesMore, 0}}, {92, {kCheckerboard, 0}}, {132, {kCircularWeb, 1}},
          {44, {kTransparent, 1}}})
        EXPECT_EQ(TransitionForRandomNumber(number), choice) << number;
    EXPECT_EQ(TransitionForRandomNumber(0).index, kNoTransition);
    EXPECT_EQ(TransitionForRandomNumber(133).index, kNoTransition);
}

TEST(TransitionTable, ChoosingFollowsTheNameAndTheRandomNumbers)
{
    ShowRandom random(77), mirror(77);
    for (int i = 0; i < 50; ++i) {
        const TransitionChoice c = ChooseTransition("Aleatório", true, random);
        EXPECT_EQ(c, TransitionForRandomNumber(mirror.next() % kRandomNumbers + 1));
    }
    // Off, "Nenhum" and unknown names copy plainly without drawing a random number.
    for (const auto& [name, on] : {std::pair{"Aleatório", false}, {"Nenhum", true}, {"Sem nome", true}})
        EXPECT_EQ(ChooseTransition(name, on, random), (TransitionChoice{kNoTransition, 0})) << name;
    EXPECT_EQ(random.next(), mirror.next());
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(ChooseTransition("Cortina", true, random), (TransitionChoice{kCurtain, (mirror.next() & 7) + 1}));
        EXPECT_EQ(ChooseTransition("Circular", true, random), (TransitionChoice{kCircular, mirror.next() % 6}));
        EXPECT_EQ(ChooseTransition("Popup da janela aleatório", true, random),
                  (TransitionChoice{kRandomWindowPopup, mirror.next() % 5}));
        EXPECT_EQ(ChooseTransition("Espiral dentro/fora", true, random), (TransitionChoice{kSpiral, mirror.next() & 3}));
        EXPECT_EQ(ChooseTransition("Teia circular", true, random), (TransitionChoice{kCircularWeb, mirror.next() & 1}));
        // The second "Queda aleatória" of the list runs the first one.
        EXPECT_EQ(ChooseTransition("Queda aleatória", true, random), (TransitionChoice{kRandomFall, mirror.next() & 3}));
        EXPECT_EQ(ChooseTransition("Transparente", true, random), (TransitionChoice{kTransparent, 0}));
    }
    // A name chosen while transitions are off still runs: the show forces "Nenhum" itself.
    EXPECT_EQ(ChooseTransition("Cortina", false, random).index, kCurtain);
}

}  // namespace
}  // namespace lv
