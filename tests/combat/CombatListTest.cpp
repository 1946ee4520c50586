// The combat list: declaring with the dialog, marker placement, the combat file written and
// read back, damaged files, and the result dialogs per hex.
#include "CaECombats.h"
#include "CombatFile.h"
#include "CombatScript.h"
#include "CombatShowDlg.h"
#include "DialogDriver.h"
#include "HookedTest.h"
#include "LittleEndianBytes.h"
#include "MapBoard.h"
#include "ModalHooks.h"
#include "PixelCompare.h"
#include "RollDie.h"
#include "TMemoryDC.h"
#include "TestFiles.h"
#include "TextChecks.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace std::string_literals;

class CombatListTest : public HookedTest {
protected:
    CombatListTest() {
        for (int y = 0; y < Map.Height(); ++y)
            for (int x = 0; x < Map.Width(); ++x)
                Map.SetPixel(x, y, TColor::FromPixel(std::uint32_t(x * 3 + y * 977)));
        Screen.BitBlt(0, 0, Screen.GetBitmap()->Width(), Screen.GetBitmap()->Height(), Map,
                      Scroll.x, Scroll.y);
    }

    // Declares a combat against the hex, resolving it with the odds button, a die roll of
    // exactly die and the comment.
    void Declare(CaECombats& list, int hex, int oddsButton, int die, const std::string& comment) {
        SeedFor(die);
        CombatScript::Resolve(comment, oddsButton);
        list.Declare(Screen, Scroll, hex);
    }
    // Whether the map surface agrees with before on every step-th point.
    ::testing::AssertionResult MapIs(const TBitmap& before, int step = 1) const {
        return PixelCompare::Same({0, 0, Map.Width(), Map.Height()}, PixelCompare::Of(Map),
                                  PixelCompare::Of(before), step);
    }
    // Seeds the generator so that the next unmodified roll gives die.
    static void SeedFor(int die) {
        for (unsigned seed = 1;; ++seed) {
            std::srand(seed);
            if (RollDie(0, 6) == die) {
                std::srand(seed);
                return;
            }
        }
    }

    TBitmap Map{500, 300};
    TMemoryDC Surface{Map};
    TBitmap ScreenBits{200, 150};
    TMemoryDC Screen{ScreenBits};
    TPoint Scroll{10, 20};
    TestDir Dir;
};

TEST_F(CombatListTest, theFirstCombatAgainstHex33IsWrittenAsTheExampleRecord) {
    CaECombats list(nullptr, &TModule::Application(), &Surface);
    Declare(list, 33, 9407 /* 3:1 */, 4, "DE");
    ASSERT_TRUE(list.WriteFile(Dir.Path("turn.cbt")));
    EXPECT_EQ(Dir.Read("turn.cbt"),
              Le32s({1, 3, 1, 2}) + "3:1\0"s + "4\0"s + "DE\0"s + Le32s({33, 60, 46, 8515}));
    // The red marker of a 4 stands at (26, 46) in the surface and on the screen.
    const TBitmap& red = TModule::Application().GetBitmap(8509);
    EXPECT_EQ(Surface.GetPixel(26, 46), red.GetPixel(0, 0));
    EXPECT_EQ(Surface.GetPixel(33, 53), red.GetPixel(7, 7));
    EXPECT_EQ(Screen.GetPixel(26 - 10, 46 - 20), red.GetPixel(0, 0));
}

TEST_F(CombatListTest, writtenCombatsReadBackNewestFirstWithGreenMarkers) {
    const TBitmap bare = Map;
    {
        CaECombats list(nullptr, &TModule::Application(), &Surface);
        Declare(list, 33, 9406, 1, "first");
        Declare(list, 70, 9411, 6, "second");
        ASSERT_TRUE(list.WriteFile(Dir.Path("t.cbt")));
    } // the list goes: its markers leave the surface
    EXPECT_TRUE(MapIs(bare, 2));

    CaECombats read(nullptr, &TModule::Application(), &Surface);
    read.ReadFile(Dir.Path("t.cbt"));
    ASSERT_EQ(read.Received().size(), 2u);
    const auto& newest = *read.Received().front();
    EXPECT_EQ(newest.Data, (CombatStruct{"AV", "6", "second", 70}));
    EXPECT_EQ(newest.Marker->GetImageId(), 8517);
    // Stamped in green 34 pixels right of where the red one stood.
    const TPoint red = MapBoard::HexOrigin(70) + TPoint(-9, 6);
    EXPECT_EQ(Surface.GetPixel(red + TPoint(34, 0)),
              TModule::Application().GetBitmap(8517).GetPixel(0, 0));
    EXPECT_EQ(read.Received().back()->Data.Comments, "first");
    // Received combats are never passed on: the turn's file holds a zero count, which reads
    // back as no combats.
    ASSERT_TRUE(read.WriteFile(Dir.Path("none.cbt")));
    EXPECT_EQ(Dir.Read("none.cbt"), Le32s({0}));
    CaECombats none(nullptr, &TModule::Application(), &Surface);
    none.ReadFile(Dir.Path("none.cbt"));
    EXPECT_TRUE(none.Received().empty());
    // A file that cannot be created is reported to the caller.
    EXPECT_FALSE(read.WriteFile(Dir.Path("no/such/folder/x.cbt")));
}

// A damaged combat file, or one that is there but cannot be read (here a folder of that name),
// adds nothing, is reported once, and the list keeps what it had.
TEST_F(CombatListTest, aDamagedOrUnreadableFileAddsNothingAndIsReportedOnce) {
    CaECombats good(nullptr, &TModule::Application(), &Surface);
    Declare(good, 33, 9406, 2, "fine");
    const std::string bytes = good.FileBytes();

    struct Case {
        const char* what;
        std::string bytes; // empty: a folder stands in the file's place
        const char* text;
    };
    std::string badImage = bytes;
    badImage[bytes.size() - 4] = 0; // image id 0x2100: names no marker
    const std::vector<Case> cases = {
        {"cut inside a record", bytes.substr(0, bytes.size() - 5), "could not be read"},
        {"huge count", Le32s({0x7fffffff}), "could not be read"},
        {"bad marker image", badImage, "could not be read"},
        {"a folder", "", "cannot be opened"}};
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Dir.Path("folder.cbt"))));
    for (const Case& c : cases) {
        const std::string file = Dir.Path(c.bytes.empty() ? "folder.cbt" : "bad.cbt");
        if (!c.bytes.empty())
            Dir.Write("bad.cbt", c.bytes);
        CheckedHooks hooks;
        hooks.AnswerMessageBox(IDOK);
        CaECombats list(nullptr, &TModule::Application(), &Surface);
        Declare(list, 33, 9406, 2, "kept");
        const TBitmap before = Map;
        list.ReadFile(file);
        EXPECT_TRUE(list.Received().empty()) << c.what;
        EXPECT_EQ(list.Declared().size(), 1u) << c.what;
        ASSERT_EQ(hooks.MessageBoxes().size(), 1u) << c.what;
        EXPECT_EQ(hooks.MessageBoxes()[0].Caption, "Damaged Combat File") << c.what;
        EXPECT_TRUE(Holds(hooks.MessageBoxes()[0].Text, file));
        EXPECT_TRUE(Holds(hooks.MessageBoxes()[0].Text, c.text));
        EXPECT_TRUE(MapIs(before, 3)) << c.what;
    }
    // A missing file changes nothing and says nothing.
    good.ReadFile(Dir.Path("missing.cbt"));
    EXPECT_EQ(good.Declared().size(), 1u);
}

TEST_F(CombatListTest, resultsOfAHexOpenNewestDeclaredFirstThenReceived) {
    CaECombats earlier(nullptr, &TModule::Application(), &Surface);
    Declare(earlier, 33, 9406, 3, "reçu"); // typed as Unicode, kept as Windows-1252
    ASSERT_TRUE(earlier.WriteFile(Dir.Path("t.cbt")));

    CaECombats list(nullptr, &TModule::Application(), &Surface);
    list.ReadFile(Dir.Path("t.cbt"));
    EXPECT_EQ(list.Received().front()->Data.Comments, "re\xE7u");
    Declare(list, 33, 9405, 1, "older");
    Declare(list, 40, 9405, 1, "elsewhere");
    Declare(list, 33, 9405, 2, "newer");

    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i)
        Hooks.DriveDialog(CombatShowDlg::TemplateId, [&](DialogDriver& d) {
            shown.push_back(d.Text(9432) + "|" + d.Text(9433) + "|" + d.Text(9431));
            d.Click(2);
        });
    list.ShowResults(33);
    EXPECT_EQ(shown, (std::vector<std::string>{"newer|1:1|2", "older|1:1|1", "reçu|2:1|3"}));
    list.ShowResults(99); // no combat there: no dialog
}

// Markers that overlap: three received against one hex and a declared one whose marker covers
// part of the third. Show All twice stamps each once; whatever order they were stamped in,
// taking them off (Clear All, or the list going) leaves the surface exactly as bare as before,
// and Clear All leaves the screen showing the bare map.
TEST_F(CombatListTest, overlappingMarkersComeOffSurfaceAndScreenWithoutFragments) {
    const TPoint declaredAt =
        CaECombats(nullptr, &TModule::Application(), &Surface).NextMarkerPosition(65);
    std::vector<CombatRecord> received;
    for (int i = 0; i < 3; ++i)
        received.push_back(
            {{"2:1", "3", "held", 33}, declaredAt + TPoint(-1, -2 - 9 * (2 - i)), 8514});
    Dir.Write("t.cbt", CombatFile::Serialize(received));
    const TBitmap bare = Map;
    auto expectBare = [&](const char* what) { EXPECT_TRUE(MapIs(bare)) << what; };
    for (const bool clearFirst : {false, true}) {
        auto list = std::make_unique<CaECombats>(nullptr, &TModule::Application(), &Surface);
        list->ReadFile(Dir.Path("t.cbt"));
        Declare(*list, 65, 9406, 4, "overlaps");
        if (clearFirst) {
            list->ClearAll(Screen, Scroll);
            expectBare("clear all after declaring");
        }
        list->ShowAll(Screen, Scroll); // the declared marker now goes on first
        list->ShowAll(Screen, Scroll);
        EXPECT_NE(Surface.GetPixel(declaredAt), bare.GetPixel(declaredAt.x, declaredAt.y));
        list->ClearAll(Screen, Scroll);
        expectBare("show all, then clear all");
        EXPECT_TRUE(PixelCompare::Same({0, 0, 200, 150}, ScreenBits, bare, Scroll)) << "screen";
        list->ShowAll(Screen, Scroll);
        list.reset();
        expectBare("show all, then the list goes");
    }
}

// A hex's markers stack below those of the combats declared against it before. Received
// combats do not push them down, unless they are passed on again, as combats read back after a
// save part way through the turn are: after the newly declared ones, with the bytes they were
// read with, so that the opponent sees every marker.
TEST_F(CombatListTest, markersStackBelowDeclaredAndResentCombatsAndResentOnesFollowByteForByte) {
    CaECombats first(nullptr, &TModule::Application(), &Surface);
    // Hex 0 lies in the first column: its markers go to x = 25.
    EXPECT_EQ(first.NextMarkerPosition(0), TPoint(25, 26));
    Declare(first, 33, 9406, 2, "a1");
    Declare(first, 33, 9407, 3, "a2");
    Declare(first, 64, 9406, 5, "b1");
    EXPECT_EQ(first.NextMarkerPosition(33), TPoint(26, 46 + 18));
    EXPECT_EQ(first.NextMarkerPosition(64), TPoint(61, 26 + 9));
    const std::string firstBytes = first.FileBytes();
    Dir.Write("t.cbt", firstBytes);

    CaECombats reloaded(nullptr, &TModule::Application(), &Surface);
    reloaded.ReadFile(Dir.Path("t.cbt"));
    EXPECT_EQ(reloaded.Received().size(), 3u);
    EXPECT_EQ(reloaded.NextMarkerPosition(33), TPoint(26, 46));
    reloaded.ResendReceived();
    EXPECT_EQ(reloaded.FileBytes(), firstBytes);
    EXPECT_EQ(reloaded.NextMarkerPosition(33), TPoint(26, 46 + 18));
    EXPECT_EQ(reloaded.NextMarkerPosition(0), TPoint(25, 26)) << "another hex starts afresh";
    Declare(reloaded, 33, 9407, 5, "a3");
    const std::string all = reloaded.FileBytes();
    EXPECT_EQ(all.substr(0, 4), Le32s({4}));
    EXPECT_EQ(all.substr(all.size() - (firstBytes.size() - 4)), firstBytes.substr(4));
    const ParsedCombatFile sent = CombatFile::Parse(all);
    ASSERT_EQ(sent.Records.size(), 4u);
    EXPECT_EQ(sent.Records[0].MarkerPosition, TPoint(26 + 34, 46 + 18));
    EXPECT_EQ(sent.Records[2].MarkerPosition, TPoint(26 + 34, 46 + 9));
    EXPECT_EQ(sent.Records[3].MarkerPosition, TPoint(26 + 34, 46));
}

} // namespace
