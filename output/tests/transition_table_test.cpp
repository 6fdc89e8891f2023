#include "output/transition_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace lv {
namespace {

TEST(ShowRandom, FollowsTheClassicGeneratorFromItsSeed)
{
    ShowRandom random(1);
    EXPECT_EQ(random.next(), 41);
    EXPECT_EQ(random.next(), 18467);
    EXPECT_EQ(random.next(), 6334);
    ShowRandom seeded(12345);
    ShowRandom same(12345);
    for (int i = 0; i < 100; ++i) {
        const int r = seeded.next();
        EXPECT_EQ(r, same.next());
        EXPECT_GE(r, 0);
        EXPECT_LE(r, ShowRandom::kMax);
    }
    for (int i = 0; i < 1000; ++i) {
        const int big = seeded.below(1000000);
        EXPECT_GE(big, 0);
        EXPECT_LT(big, 1000000);
        const double f = seeded.fraction();
        EXPECT_GE(f, 0.0);
        EXPECT_LT(f, 1.0);
    }
}

TEST(TransitionTable, NamesAreFoundFirstMatchFirst)
{
    EXPECT_EQ(FindTransition("Aleatório"), kRandomChoice);
    EXPECT_EQ(FindTransition("Cortina"), kCurtain);
    EXPECT_EQ(FindTransition("Apagar"), kWipe);
    EXPECT_EQ(FindTransition("Nenhum"), kNoTransition);
    // The second rows of the repeated names are never found by name.
    EXPECT_EQ(FindTransition("Queda aleatória"), kRandomFall);
    EXPECT_EQ(FindTransition("Duas passagens da diagonal"), kTwoDiagonalPasses);
    EXPECT_EQ(FindTransition(""), -1);
    EXPECT_EQ(FindTransition("cortina"), -1);
    EXPECT_EQ(FindTransition("Inexistente"), -1);
    EXPECT_EQ(TransitionTable().size(), std::size_t(kTransitionCount));
    EXPECT_EQ(TransitionTable()[kTransitionCount - 1].name, "");
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
    EXPECT_EQ(TransitionForRandomNumber(1), (TransitionChoice{kCurtain, 1}));
    EXPECT_EQ(TransitionForRandomNumber(8), (TransitionChoice{kCurtain, 8}));
    EXPECT_EQ(TransitionForRandomNumber(16), (TransitionChoice{kWipe, 1}));
    EXPECT_EQ(TransitionForRandomNumber(53), (TransitionChoice{kWipe, 2}));
    EXPECT_EQ(TransitionForRandomNumber(19), (TransitionChoice{kRandomRain, 0}));
    EXPECT_EQ(TransitionForRandomNumber(29), (TransitionChoice{kDiagonalPassesMore, 0}));
    EXPECT_EQ(TransitionForRandomNumber(92), (TransitionChoice{kCheckerboard, 0}));
    EXPECT_EQ(TransitionForRandomNumber(132), (TransitionChoice{kCircularWeb, 1}));
    // Single-form transitions reached by two numbers get variant 1 from the second.
    EXPECT_EQ(TransitionForRandomNumber(44), (TransitionChoice{kTransparent, 1}));
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
    EXPECT_EQ(ChooseTransition("Aleatório", false, random), (TransitionChoice{kNoTransition, 0}));
    EXPECT_EQ(ChooseTransition("Nenhum", true, random), (TransitionChoice{kNoTransition, 0}));
    EXPECT_EQ(ChooseTransition("Sem nome", true, random), (TransitionChoice{kNoTransition, 0}));
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
