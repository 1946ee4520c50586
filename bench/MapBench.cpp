// Hex lookup over the whole map, and copying or stretching the map surface into a
// full-HD window, measured against a plain memcpy of the same bytes.
#include "BareBoard.h"
#include "TestFiles.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

constexpr int MapW = 2100, MapH = 1300, ViewW = 1920, ViewH = 1080;

// One map board for all benchmarks, loaded from a generated picture of the real size.
BareBoard& Board() {
    static TestDir dir;
    static TModule module(dir.Path("none"));
    static std::unique_ptr<BareBoard> board = [] {
        std::vector<std::uint32_t> px(std::size_t(MapW) * MapH);
        for (std::size_t i = 0; i < px.size(); ++i)
            px[i] = std::uint32_t(i * 2654435761u) & 0xffffff;
        dir.Write("kvkmap.bmp", BmpBytes::Rgb24(MapW, MapH, px));
        return std::make_unique<BareBoard>(&module, dir.Path("kvkmap.bmp").c_str());
    }();
    return *board;
}

void BM_HexAtEveryMapPixel(benchmark::State& state) {
    for (auto _ : state) {
        long long sum = 0;
        for (int y = 0; y < MapH; ++y)
            for (int x = 0; x < MapW; ++x)
                sum += MapBoard::HexAt({x, y});
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * MapW * MapH);
}
BENCHMARK(BM_HexAtEveryMapPixel)->Unit(benchmark::kMillisecond);

void BM_PaintMapFullHd(benchmark::State& state) {
    BareBoard& board = Board();
    TBitmap window(ViewW, ViewH);
    TMemoryDC dc(window);
    dc.SetWindowOrg({90, 110});
    for (auto _ : state) {
        board.PaintMap(dc);
        benchmark::DoNotOptimize(window.Bits());
    }
    state.SetBytesProcessed(state.iterations() * ViewW * ViewH * 4);
}
BENCHMARK(BM_PaintMapFullHd)->Unit(benchmark::kMicrosecond);

// The floor for PaintMap: the same rows copied with memcpy and nothing else.
void BM_MemcpyFullHd(benchmark::State& state) {
    BareBoard& board = Board();
    const TBitmap& map = *board.MapSurface().GetBitmap();
    TBitmap window(ViewW, ViewH);
    for (auto _ : state) {
        for (int y = 0; y < ViewH; ++y)
            std::memcpy(window.Bits() + std::size_t(y) * ViewW,
                        map.Bits() + std::size_t(y + 110) * MapW + 90, ViewW * 4);
        benchmark::DoNotOptimize(window.Bits());
    }
    state.SetBytesProcessed(state.iterations() * ViewW * ViewH * 4);
}
BENCHMARK(BM_MemcpyFullHd)->Unit(benchmark::kMicrosecond);

void BM_PaintMapScaledFullHd(benchmark::State& state) {
    BareBoard& board = Board();
    TBitmap window(ViewW, ViewH);
    TMemoryDC dc(window);
    for (auto _ : state) {
        board.PaintMapScaled(dc, {0, 0, ViewW, ViewH});
        benchmark::DoNotOptimize(window.Bits());
    }
}
BENCHMARK(BM_PaintMapScaledFullHd)->Unit(benchmark::kMillisecond);

} // namespace
