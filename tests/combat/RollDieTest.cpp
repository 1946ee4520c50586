// The roll of the bone: the cyclic modifier for every raw face, the fifth-draw rule, and an
// even spread of results for every modifier.
#include "RollDie.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

// Result[m][raw - 1]: the modifier turns the face around instead of pushing it past 6.
constexpr std::array<std::array<int, 6>, 6> Result = {{
    {1, 2, 3, 4, 5, 6},
    {2, 3, 4, 5, 6, 1},
    {3, 4, 5, 6, 1, 2},
    {4, 5, 6, 1, 2, 3},
    {5, 6, 1, 2, 3, 4},
    {6, 1, 2, 3, 4, 5},
}};

TEST(RollDie, modifierTableForEveryRawFace) {
    for (int m = 0; m < 6; ++m)
        for (int raw = 1; raw <= 6; ++raw)
            EXPECT_EQ(ApplyModifier(raw, m, 6), Result[std::size_t(m)][std::size_t(raw - 1)])
                << "modifier " << m << ", raw face " << raw;
}

TEST(RollDie, theFifthDrawDecidesAndFiveAreUsed) {
    for (unsigned seed : {1u, 7u, 2024u, 99991u}) {
        for (int m = 0; m < 6; ++m) {
            std::srand(seed);
            for (int i = 0; i < 4; ++i)
                (void)std::rand();
            const int raw = std::rand() % 6 + 1;
            const int sixth = std::rand();

            std::srand(seed);
            EXPECT_EQ(RollDie(m, 6), ApplyModifier(raw, m, 6)) << "seed " << seed;
            EXPECT_EQ(std::rand(), sixth) << "a roll takes exactly five draws";
        }
    }
}

TEST(RollDie, resultsStayInRangeAndEvenForEveryModifier) {
    constexpr int Rolls = 60000;
    std::srand(12345);
    for (int m = 0; m < 6; ++m) {
        std::array<int, 7> count{};
        for (int i = 0; i < Rolls; ++i) {
            const int d = RollDie(m, 6);
            ASSERT_GE(d, 1);
            ASSERT_LE(d, 6);
            ++count[std::size_t(d)];
        }
        // 10000 expected per face, standard deviation about 91: the band is wide.
        for (int face = 1; face <= 6; ++face)
            EXPECT_NEAR(count[std::size_t(face)], Rolls / 6, 800)
                << "modifier " << m << ", face " << face;
    }
}

} // namespace
