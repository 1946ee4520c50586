// Moving counters and drawing a loaded turn on the bundled map with the real pictures, and
// the floor a move cannot beat: the raw pixel copies it has to make.
#include "FakeCombatList.h"
#include "KVKMap.h"
#include "TMemoryDC.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

constexpr int HexA = 10 * 32 + 10, HexB = 11 * 32 + 10;

std::unique_ptr<KVKMap> MakeBoard() {
    KVKMap::SlideDuration = std::chrono::milliseconds(0);
    return std::make_unique<KVKMap>(nullptr, &TModule::Application(),
                                    KURVASK_SOURCE_DIR "/data/kvkmap.bmp", &FakeCombatList::Make);
}

// Units 0..n-1 on hex A, the others spread over the board, two to a hex.
std::array<CounterRecord, KVKMap::Units> Position(int n) {
    std::array<CounterRecord, KVKMap::Units> records;
    for (int u = 0; u < KVKMap::Units; ++u) {
        const int hex = u < n ? HexA : 40 + (u / 2) * 5 % 1300;
        records[std::size_t(u)] = CounterRecord(hex, hex, u % 4);
    }
    return records;
}

// One move per iteration, the top counter of A to B and back, in turn.
void BM_MoveTopCounter(benchmark::State& state) {
    const int n = int(state.range(0));
    auto board = MakeBoard();
    board->LoadCounters(Position(n));
    board->DrawLoadedTurn();
    TBitmap screen(1920, 1080);
    TMemoryDC window(screen);
    const TPoint scroll(100, 100);
    const TPoint a = MapBoard::HexOrigin(HexA) + TPoint(5, 5);
    const TPoint b = MapBoard::HexOrigin(HexB) + TPoint(5, 5);
    bool there = false;
    for (auto _ : state) {
        if (there)
            board->MoveTopCounter(b, a - scroll, scroll, window);
        else
            board->MoveTopCounter(a, b - scroll, scroll, window);
        there = !there;
    }
}
BENCHMARK(BM_MoveTopCounter)->DenseRange(1, 5);

// The same pixel copies as the moves above, straight from bitmap to bitmap: per move on
// average four 24 x 40 restores and 2n counter pictures (n for the surface, n for the window).
void BM_MoveFloor(benchmark::State& state) {
    const int n = int(state.range(0));
    TBitmap surfaceBits(2100, 1300), screen(1920, 1080), background(24, 40);
    TMemoryDC surface(surfaceBits), window(screen);
    const TBitmap& picture = TModule::Application().GetBitmap(2001);
    const TPoint a = MapBoard::HexOrigin(HexA), b = MapBoard::HexOrigin(HexB);
    for (auto _ : state) {
        for (const TPoint& o : {a, b}) {
            surface.BitBlt(o.x, o.y, 24, 40, background, 0, 0);
            window.BitBlt(o.x - 100, o.y - 100, 24, 40, background, 0, 0);
        }
        for (int i = 0; i < n; ++i) {
            surface.BitBlt(b.x, b.y + i, 24, 24, picture, 0, 0);
            window.BitBlt(b.x - 100, b.y - 100 + i, 24, 24, picture, 0, 0);
        }
        benchmark::DoNotOptimize(surfaceBits.Bits());
        benchmark::DoNotOptimize(screen.Bits());
    }
}
BENCHMARK(BM_MoveFloor)->DenseRange(1, 5);

// Drawing all 220 counters into the map surface, as a freshly opened turn is shown.
void BM_DrawLoadedTurn(benchmark::State& state) {
    auto board = MakeBoard();
    board->LoadCounters(Position(5));
    for (auto _ : state) {
        state.PauseTiming();
        board->LoadCounters(Position(5)); // fresh stacks with no saved background
        state.ResumeTiming();
        board->DrawLoadedTurn();
    }
}
BENCHMARK(BM_DrawLoadedTurn)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// Decoding every counter picture from the program's resources, as the first drawing of a
// turn does: a fresh module each time, so nothing is cached.
void BM_DecodeCounterPictures(benchmark::State& state) {
    for (auto _ : state) {
        TModule module;
        for (int id = 2001; id <= 2202; ++id)
            benchmark::DoNotOptimize(module.GetBitmap(id).Bits());
    }
}
BENCHMARK(BM_DecodeCounterPictures)->Unit(benchmark::kMicrosecond);

} // namespace
