// Opening a turn (unit file and a 120-combat file: clear, read, draw 220 counters, show the
// markers) and the end-of-turn save with its reload, on the bundled map with the real
// pictures and a 1920 x 1080 window.
#include "CaECombats.h"
#include "CombatFile.h"
#include "TFileBatch.h"
#include "TestFiles.h"
#include "TurnFile.h"
#include "TurnReview.h"
#include "UnitFile.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A window that is not on screen but keeps its client pixels, as the map window does.
class BenchWindow : public TWindow {
public:
    TBitmap* GetClientBitmap() override { return &Client; }
    TRect GetClientRect() const override { return {0, 0, 1920, 1080}; }
    TBitmap Client{1920, 1080};
};

// A turn in mid-game: units two or three to a hex over the board, 120 combats.
struct TurnFixture {
    TurnFixture() {
        UnitFile::Records records;
        for (int u = 0; u < UnitFile::Units; ++u) {
            const int hex = 40 + (u * 7) % 1300;
            records[std::size_t(u)] = CounterRecord(hex, hex - u % 3, u % 4);
        }
        Dir.Write("turn.kvk", UnitFile::Serialize(records));
        std::vector<CombatRecord> combats;
        for (int i = 0; i < 120; ++i) {
            CombatRecord c;
            const int hex = 40 + i * 11;
            c.Data = {"3:1", "4", "attacker retreats two hexes", hex};
            c.MarkerPosition = MapBoard::HexOrigin(hex) + TPoint(25, 6);
            c.MarkerImage = 8512 + i % 6;
            combats.push_back(c);
        }
        Dir.Write("turn.cbt", CombatFile::Serialize(combats));
        Board = std::make_unique<KVKMap>(&Window, &TModule::Application(),
                                         KURVASK_SOURCE_DIR "/data/kvkmap.bmp", &CaECombats::Make);
        Board->FileData.FileName = Dir.Path("turn.kvk");
        Turn = std::make_unique<TurnFile>(*Board);
    }
    TestDir Dir;
    BenchWindow Window;
    std::unique_ptr<KVKMap> Board;
    std::unique_ptr<TurnFile> Turn;
};

void OpenTurn(benchmark::State& state) {
    TurnFixture f;
    for (auto _ : state) {
        bool opened = false;
        benchmark::DoNotOptimize(f.Turn->OpenTurn(false, opened));
        if (!opened)
            state.SkipWithError("the turn did not open");
    }
}
BENCHMARK(OpenTurn)->Unit(benchmark::kMicrosecond);

// The same open with the review's work after it: the movement report beside the turn (one
// line for each of the 220 units, most of them moved) read and matched to the units, and the
// rows and arrows of the moves and the 120 combats made.
void OpenTurnWithReport(benchmark::State& state) {
    TurnFixture f;
    f.Turn->OpenTurn(false);
    bool ended = false; // as the opponent sends it: the report of the moves, every start reset
    f.Turn->WriteTurn(true, ended);
    TurnReview review;
    for (auto _ : state) {
        bool opened = false;
        benchmark::DoNotOptimize(f.Turn->OpenTurn(false, opened));
        review.ReadReport(f.Board->FileData.FileName, f.Board->Records());
        review.Update(*f.Board);
        benchmark::DoNotOptimize(review.Arrows(true));
        if (!ended || !opened || !review.StatusText().empty() || review.Received().size() < 100)
            state.SkipWithError("the turn or its report did not open");
    }
}
BENCHMARK(OpenTurnWithReport)->Unit(benchmark::kMicrosecond);

// The save after its two questions: report, unit and combat files prepared and replaced,
// then the turn reopened from them. Argument 1: every file forced to the disk.
void SaveTurn(benchmark::State& state) {
    TurnFixture f;
    f.Turn->OpenTurn(false);
    const bool saved = TFileBatch::SyncToDisk;
    TFileBatch::SyncToDisk = state.range(0) != 0;
    for (auto _ : state) {
        bool completed = false;
        benchmark::DoNotOptimize(f.Turn->WriteTurn(false, completed));
        if (!completed)
            state.SkipWithError("the save did not complete");
    }
    TFileBatch::SyncToDisk = saved;
}
BENCHMARK(SaveTurn)->Arg(0)->Arg(1)->ArgName("sync")->Unit(benchmark::kMicrosecond);

} // namespace
