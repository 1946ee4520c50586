// A long random game on the real map window, offscreen. Thousands of seeded actions, each made
// as a player makes it (SoakPlayer), while the test keeps its own model of the game worked out
// from the game's rules (GameModel, HexGrid, ZoomedMap, TurnFormats). After every action the
// board, the combat list, the commands and the status bar must agree with the model; the map
// surface around what the action touched, and the whole surface every so often, must equal a
// fresh drawing of the model; the window must show the surface. After every save the three
// files must hold what the model says (SoakChecks).
//
//   KURVASK_SOAK_SEED     the seed of the action sequence and of the die rolls
//   KURVASK_SOAK_ACTIONS  how many actions are played
// A failure names the seed and the action and lists the last actions, so that the run can be
// played again up to the failing action:
//   KURVASK_SOAK_SEED=<seed> KURVASK_SOAK_ACTIONS=<n> ctest --preset default -R Soak
#include "HookedTest.h"
#include "SoakPlayer.h"

#include <chrono>
#include <cstdlib>
#include <iostream>

namespace {

constexpr unsigned long DefaultSeed = 20240611;
#ifdef KURVASK_SANITIZED
constexpr long DefaultActions = 1500;
#else
constexpr long DefaultActions = 5000;
#endif
/** The whole map surface is compared with a fresh drawing after this many actions. */
constexpr long FullCompareEvery = 50;

/** A whole number from the environment, or the default if the variable is unset or no such. */
template <class Number> Number FromEnvironment(const char* name, Number fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const long long n = std::strtoll(text, &end, 10);
    return *end == '\0' && n >= 0 ? Number(n) : fallback;
}

/** The hooks answer every question and dialog; at the end all answers must be used. */
class SoakTest : public HookedTest {};

TEST_F(SoakTest, aLongRandomGameKeepsBoardFilesAndMapInStep) {
    const auto seed = FromEnvironment<unsigned long>("KURVASK_SOAK_SEED", DefaultSeed);
    const auto actions = FromEnvironment<long>("KURVASK_SOAK_ACTIONS", DefaultActions);
    std::srand(unsigned(seed)); // the die rolls too, after the board seeded them from the clock
    const auto started = std::chrono::steady_clock::now();
    KVKMap::SlideDuration = std::chrono::milliseconds(0);

    // The sample turn, opened from a folder of the test's own, and the map picture.
    const TestDir dir;
    for (const char* ext : {".kvk", ".cbt"})
        dir.Write(std::string("opening") + ext,
                  TestDir::ReadFile(std::string(KURVASK_DATA_DIR "/sample/opening") + ext));
    const auto units = TurnFormats::Units(dir.Read("opening.kvk"));
    const auto combats = TurnFormats::Combats(dir.Read("opening.cbt"));
    ASSERT_TRUE(units && combats) << "the sample turn";
    GameModel model;
    model.SavedTurns[dir.Path("opening.kvk")] = {*units, *combats, false};
    const std::string mapFile = KURVASK_DATA_DIR "/kvkmap.bmp";
    const TBitmap bareMap(TDib(mapFile.c_str()));
    const TRect wholeMap(0, 0, bareMap.Width(), bareMap.Height());

    TTextGadget hexField(600), moveField(601);
    KVKWindow window(nullptr, &hexField, &moveField, mapFile.c_str());
    MapWindowDriver(window).Widget()->resize(1024, 720);
    MapWindowDriver(window).Widget()->show();
    QCoreApplication::processEvents();
    SoakChecks checks(window, model, Hooks, bareMap, hexField, moveField);
    SoakPlayer player(window, Hooks, dir, model, checks, seed);

    player.OpenFirstTurn(dir.Path("opening.kvk"));
    checks.After({wholeMap}, std::nullopt);
    long index = 0;
    for (; index < actions && !HasFailure(); ++index) {
        player.PlayOne(index);
        std::vector<TRect> compared = player.Touched;
        if (index % FullCompareEvery == FullCompareEvery - 1 || index + 1 == actions)
            compared.push_back(wholeMap);
        checks.After(compared, player.StatusAt);
        if (HasFailure())
            ADD_FAILURE() << "The soak failed at action #" << index << " of " << actions
                          << " with seed " << seed
                          << ". To play it again:\n  KURVASK_SOAK_SEED=" << seed
                          << " KURVASK_SOAK_ACTIONS=" << index + 1
                          << " ctest --preset default -R Soak\nThe last actions:\n"
                          << player.RecentActions();
    }
    // A game as long as the sanitized build's plays every action and meets every counted case.
    if (index >= 1500 && !HasFailure()) {
        for (const std::string& name : player.NeverMet())
            ADD_FAILURE() << "the soak never played \"" << name << "\"; seed " << seed;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[ soak     ] " << index << " actions, seed " << seed << ", " << seconds
              << " s:" << player.PlayedCounts() << "\n";
}

} // namespace
