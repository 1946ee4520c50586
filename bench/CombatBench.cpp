// Showing and clearing the markers of 120 combats on a full map surface, and reading a
// combat file of 120 records.
#include "CaECombats.h"
#include "CombatFile.h"
#include "MapBoard.h"
#include "TMemoryDC.h"
#include "TestFiles.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Combats = 120;

std::string FileOf120() {
    std::vector<CombatRecord> records;
    for (int i = 0; i < Combats; ++i) {
        CombatRecord r;
        r.Data.Odds = "3:1";
        r.Data.DieRoll = std::string(1, char('1' + i % 6));
        r.Data.Comments = "Attack " + std::to_string(i) + ": defender eliminated, advance";
        r.Data.HexIndex = (i * 11) % 1376;
        r.MarkerPosition = MapBoard::HexOrigin(r.Data.HexIndex) + TPoint(25, 6);
        r.MarkerImage = 8512 + i % 6;
        records.push_back(r);
    }
    return CombatFile::Serialize(records);
}

struct Fixture {
    TestDir Dir;
    TBitmap Map{2100, 1300};
    TMemoryDC Surface{Map};
    TBitmap ScreenBits{1920, 1080};
    TMemoryDC Screen{ScreenBits};
    Fixture() { Dir.Write("turn.cbt", FileOf120()); }
};

void BM_ShowAllThenClearAll120(benchmark::State& state) {
    Fixture f;
    CaECombats list(nullptr, &TModule::Application(), &f.Surface);
    list.ReadFile(f.Dir.Path("turn.cbt"));
    list.ClearAll(f.Screen, {0, 0});
    for (auto _ : state) {
        list.ShowAll(f.Screen, {40, 40});
        list.ClearAll(f.Screen, {40, 40});
    }
}
BENCHMARK(BM_ShowAllThenClearAll120)->Unit(benchmark::kMicrosecond);

void BM_ReadCombatFile120(benchmark::State& state) {
    Fixture f;
    const std::string name = f.Dir.Path("turn.cbt");
    for (auto _ : state) {
        CaECombats list(nullptr, &TModule::Application(), &f.Surface);
        list.ReadFile(name);
        benchmark::DoNotOptimize(list.Received().size());
    }
}
BENCHMARK(BM_ReadCombatFile120)->Unit(benchmark::kMicrosecond);

} // namespace
