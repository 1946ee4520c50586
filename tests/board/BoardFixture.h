#pragma once

#include "BoardProbe.h"
#include "FakeCombatList.h"
#include "KVKMap.h"
#include "TMemoryDC.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

/**
 * A game board on the test pictures, with a memory context standing for the window's client
 * area (its pixels are what the window shows) and helpers to set up positions.
 */
class BoardFixture : public ::testing::Test {
protected:
    static constexpr int OffBoardHex = 1900;

    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        Board = std::make_unique<KVKMap>(nullptr, &Pictures.Module(), Pictures.MapFile().c_str(),
                                         &FakeCombatList::Make);
    }

    /** Every unit off the map, except those given as {unit, hex, start hex, mark}. */
    struct Placement {
        int Unit, HexIndex, StartIndex, Mark;
    };
    void Load(const std::vector<Placement>& placements) {
        LoadWithoutDrawing(placements);
        Board->DrawLoadedTurn();
    }
    void LoadWithoutDrawing(const std::vector<Placement>& placements) {
        std::array<CounterRecord, KVKMap::Units> records;
        records.fill(CounterRecord(OffBoardHex, OffBoardHex, 0));
        for (const Placement& p : placements)
            records[std::size_t(p.Unit)] = CounterRecord(p.HexIndex, p.StartIndex, p.Mark);
        ASSERT_TRUE(Board->LoadCounters(records));
    }

    /** The units standing in a hex, bottom first. */
    std::vector<int> UnitsIn(int hex) { return BoardProbe::UnitsIn(*Board, hex); }

    TestPictures Pictures;
    std::unique_ptr<KVKMap> Board;
    TBitmap Screen{400, 300};
    TMemoryDC Window{Screen};
};
