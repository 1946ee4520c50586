#pragma once

#include "BoardProbe.h"
#include "FakeCombatList.h"
#include "KVKMap.h"
#include "TMemoryDC.h"
#include "TestPictures.h"
#include "TurnRecords.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

/**
 * A game board on the test pictures, with a memory context standing for the window's client
 * area (its pixels are what the window shows) and helpers to set up positions.
 */
class BoardFixture : public ::testing::Test {
protected:
    static constexpr int OffBoardHex = Hexes::OffBoard;
    using Placement = TurnRecords::Placement;

    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        Board = std::make_unique<KVKMap>(nullptr, &Pictures.Module(), Pictures.MapFile().c_str(),
                                         &FakeCombatList::Make);
    }

    /** Every unit off the map, except those placed; LoadWithoutDrawing leaves the map bare. */
    void Load(const std::vector<Placement>& placements) {
        LoadWithoutDrawing(placements);
        Board->DrawLoadedTurn();
    }
    void LoadWithoutDrawing(const std::vector<Placement>& placements) {
        ASSERT_TRUE(Board->LoadCounters(TurnRecords::OffMapExcept(placements)));
    }
    std::vector<int> UnitsIn(int hex) { return BoardProbe::UnitsIn(*Board, hex); }

    TestPictures Pictures;
    std::unique_ptr<KVKMap> Board;
    TBitmap Screen{400, 300};
    TMemoryDC Window{Screen};
};
