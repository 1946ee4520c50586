// A long random game on the real map window, offscreen. Thousands of seeded actions, each made
// as a player makes it, with the window's commands and real mouse events on its viewport:
// drags between hexes, Move All drops, Return to Start Hex, rotations, marks, Undo Last Move,
// combats resolved in their dialog, Show Combat, Show All and Clear All, zoom, scrolling,
// resizing, saves part way through and at the end of the turn, and turns opened again.
//
// Beside the program the test keeps its own model of the game: every stack, every unit's start
// hex and mark, the combats declared and received, the markers on the map in the order they
// were drawn, the move that Undo would take back and whether the turn has unsaved changes.
// After every action the board, the combat list, the commands and the status bar must agree
// with the model; the map surface around what the action touched, and the whole surface every
// so often, must equal a fresh drawing of the model; the window must show the surface. After
// every save the three files must read back to the model.
//
//   KURVASK_SOAK_SEED     the seed of the action sequence and of the die rolls
//   KURVASK_SOAK_ACTIONS  how many actions are played
// A failure names the seed and the action and lists the last actions, so that the run can be
// played again up to the failing action:
//   KURVASK_SOAK_SEED=<seed> KURVASK_SOAK_ACTIONS=<n> ctest --preset default -R Soak
#include "BoardProbe.h"
#include "CaECombats.h"
#include "CombatDlg.h"
#include "CombatFile.h"
#include "CombatShowDlg.h"
#include "DialogConstants.h"
#include "DialogDriver.h"
#include "KVKWindow.h"
#include "MapWindowProbe.h"
#include "ModalHooks.h"
#include "MovementReport.h"
#include "OddsTable.h"
#include "TDib.h"
#include "TMemoryDC.h"
#include "TestFiles.h"
#include "UnitFile.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <list>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

constexpr unsigned long DefaultSeed = 20240611;
#ifdef KURVASK_SANITIZED
constexpr long DefaultActions = 1500;
#else
constexpr long DefaultActions = 5000;
#endif
/** The whole map surface is compared with a fresh drawing after this many actions. */
constexpr long FullCompareEvery = 50;
/** How many of the last actions a failure lists. */
constexpr std::size_t LogLength = 30;

constexpr int Units = KVKMap::Units;
/** What the soak types into combat comments: plain letters, shown as typed. */
constexpr const char* CommentLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 :-.,/";
constexpr int Margin = KVKWindow::ActiveMargin;

unsigned long SeedFromEnvironment() {
    const char* text = std::getenv("KURVASK_SOAK_SEED");
    if (!text || !*text)
        return DefaultSeed;
    char* end = nullptr;
    const unsigned long seed = std::strtoul(text, &end, 10);
    return *end == '\0' ? seed : DefaultSeed;
}

long ActionsFromEnvironment() {
    const char* text = std::getenv("KURVASK_SOAK_ACTIONS");
    if (!text || !*text)
        return DefaultActions;
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    return *end == '\0' && n >= 0 ? n : DefaultActions;
}

std::string Label(int hex) {
    std::string label;
    MapBoard::HexLabel(hex, label, true);
    return label + "(" + std::to_string(hex) + ")";
}

/**
 * Keeps the offscreen platform's warning that it cannot grab the mouse, given at every drag
 * and slide, out of the soak's output; every other message passes.
 */
class QuietMouseGrab {
public:
    QuietMouseGrab() { Previous = qInstallMessageHandler(&Filter); }
    ~QuietMouseGrab() { qInstallMessageHandler(Previous); }
    QuietMouseGrab(const QuietMouseGrab&) = delete;
    QuietMouseGrab& operator=(const QuietMouseGrab&) = delete;

private:
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.contains(QStringLiteral("does not support grabbing the mouse")))
            return;
        if (Previous)
            Previous(type, context, text);
    }
    static inline QtMessageHandler Previous = nullptr;
};

/** A combat record with its marker where the opponent gets it: moved right, in green. */
CombatRecord AsWritten(CombatRecord record) {
    record.MarkerPosition += Tagger::FilePlacementOffset;
    record.MarkerImage += Tagger::FileImageShift;
    return record;
}

/** The game as the player expects it after each action, kept apart from the program. */
struct GameModel {
    std::array<std::vector<int>, MapBoard::HexCount> Stacks; // units, bottom first
    UnitFile::Records Units{};                               // hex, start hex and mark
    std::vector<CombatRecord> Declared; // newest first; the marker as shown on this map
    std::vector<CombatRecord> Received; // in file order
    bool Resend = false;
    std::vector<BoardProbe::MarkerPicture> Shown; // the markers on the map, in drawing order
    bool Modified = false;
    bool Zoomed = false;
    bool MoveAll = false;
    int LeftMode = KVKWindow::ModeMoveId;
    int RightMode = KVKWindow::ModeRotateId;
    // Undo Last Move puts the top counter of UndoTo back onto UndoFrom.
    int UndoFrom = -1;
    int UndoTo = -1;

    void Load(const UnitFile::Records& records, const std::vector<CombatRecord>& combats) {
        for (auto& stack : Stacks)
            stack.clear();
        Units = records;
        for (int u = 0; u < ::Units; ++u)
            Stacks[std::size_t(records[std::size_t(u)].HexIndex)].push_back(u);
        Declared.clear();
        Received = combats;
        Resend = false;
        ShowAllMarkers();
        Modified = false;
        Forget();
    }
    int Top(int hex) const {
        const auto& s = Stacks[std::size_t(hex)];
        return s.empty() ? -1 : s.back();
    }
    int Count(int hex) const { return int(Stacks[std::size_t(hex)].size()); }
    void MoveTop(int from, int to) {
        auto& source = Stacks[std::size_t(from)];
        if (source.empty())
            return;
        const int unit = source.back();
        source.pop_back();
        Stacks[std::size_t(to)].push_back(unit);
        Units[std::size_t(unit)].HexIndex = to;
    }
    void Rotate(int hex) {
        auto& s = Stacks[std::size_t(hex)];
        if (!s.empty())
            std::rotate(s.begin(), s.begin() + 1, s.end());
    }
    void CycleMark(int hex) {
        const int unit = Top(hex);
        if (unit >= 0) {
            auto& mark = Units[std::size_t(unit)].Mark;
            mark = (mark + 1) % 4;
        }
    }
    void Forget() { UndoFrom = UndoTo = -1; }
    bool CanUndo() const { return UndoFrom >= 0 && !Zoomed; }
    bool HasMoved(int unit) const {
        return Units[std::size_t(unit)].HexIndex != Units[std::size_t(unit)].StartIndex;
    }
    /** Show All draws every marker in the list's order: the declared ones, then the received. */
    void ShowAllMarkers() {
        Shown.clear();
        for (const auto* list : {&Declared, &Received})
            for (const CombatRecord& c : *list)
                Shown.push_back({c.MarkerPosition, c.MarkerImage});
    }
    /** The combat file a save writes now. */
    std::vector<CombatRecord> FileCombats() const {
        std::vector<CombatRecord> records;
        for (const CombatRecord& c : Declared)
            records.push_back(AsWritten(c));
        if (Resend)
            records.insert(records.end(), Received.begin(), Received.end());
        return records;
    }
};

/** What an action changed on the map: the parts of the surface compared afterwards. */
struct Touched {
    std::vector<TRect> Areas;
    bool Everything = false;

    void Hex(int hex) {
        Areas.emplace_back(MapBoard::HexOrigin(hex),
                           TSize(MapBoard::BodyWidth, MapBoard::BodyHeight));
    }
    void Marker(const TPoint& at) { Areas.emplace_back(at, TSize(8, 8)); }
};

/** A turn saved by the soak: what its files must hold. */
struct SavedTurn {
    UnitFile::Records Units;
    std::vector<CombatRecord> Combats;
    /** Saved by the player (not the sample received): its combats are passed on again. */
    bool Own = false;
};

class SoakTest : public ::testing::Test {
protected:
    const std::string MapFile = KURVASK_DATA_DIR "/kvkmap.bmp";

    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        for (const char* ext : {".kvk", ".cbt"})
            Dir.Write(std::string("opening") + ext,
                      TestDir::ReadFile(std::string(KURVASK_DATA_DIR "/sample/opening") + ext));
        Saved[Dir.Path("opening.kvk")] = {UnitFile::Parse(Dir.Read("opening.kvk")).Records,
                                          CombatFile::Parse(Dir.Read("opening.cbt")).Records};
        Bare = std::make_unique<TBitmap>(TDib(MapFile.c_str()));
        Window = std::make_unique<KVKWindow>(nullptr, &HexField, &MoveField, MapFile.c_str());
        Widget()->resize(1024, 720);
        Widget()->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override { EXPECT_TRUE(Hooks.Clean()) << Hooks.Report(); }

    // ---- The window and the mouse ------------------------------------------------------

    QAbstractScrollArea* Widget() { return static_cast<QAbstractScrollArea*>(Window->GetWidget()); }
    QWidget* Viewport() { return Widget()->viewport(); }
    TRect Client() const { return Window->GetClientRect(); }
    TPoint Scroll() const { return Window->GetScrollPos(); }
    static QPoint Q(const TPoint& p) { return {p.x, p.y}; }

    void Press(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(Viewport(), b, {}, Q(p));
    }
    void Release(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(Viewport(), b, {}, Q(p));
    }
    void Click(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) {
        Press(p, b);
        Release(p, b);
    }
    /** The pointer moves over the viewport with the button held. */
    void MoveTo(const TPoint& p) { QTest::mouseMove(Viewport(), Q(p)); }
    /** A drag as a player makes it: press, a few moves on the way, release. */
    void Drag(const TPoint& from, const TPoint& to) {
        Press(from);
        const int steps = Between(1, 4);
        for (int i = 1; i < steps; ++i) {
            const TPoint on =
                from + TPoint((to.x - from.x) * i / steps, (to.y - from.y) * i / steps);
            if (on.x != 0 || on.y != 0) // see PointBetween
                MoveTo(on);
        }
        MoveTo(to);
        Release(to);
    }
    /** Runs a command as its menu item does, which only an enabled command can be. */
    bool Command(int id) {
        TCommandEnabler ce(id);
        Window->EnableCommand(ce);
        if (!ce.IsEnabled())
            return false;
        EXPECT_TRUE(Window->RunCommand(id)) << "command " << id;
        return true;
    }
    TCommandEnabler Ask(int id) {
        TCommandEnabler ce(id);
        Window->EnableCommand(ce);
        return ce;
    }
    void LeftMode(int id) {
        if (Model.LeftMode != id) {
            Command(id);
            Model.LeftMode = id;
        }
    }
    void RightMode(int id) {
        if (Model.RightMode != id) {
            Command(id);
            Model.RightMode = id;
        }
    }

    // ---- Chance --------------------------------------------------------------------------

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Rng); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    /**
     * A client point from left..right, top..bottom (inclusive), if there is one. Never (0, 0):
     * the test library takes that point for the middle of the widget.
     */
    std::optional<TPoint> PointBetween(int left, int right, int top, int bottom) {
        if (left > right || top > bottom ||
            (left == right && top == bottom && left == 0 && top == 0))
            return std::nullopt;
        for (;;) {
            const TPoint p(Between(left, right), Between(top, bottom));
            if (p.x != 0 || p.y != 0)
                return p;
        }
    }
    TPoint AnyClientPoint() {
        const TRect c = Client();
        return *PointBetween(0, c.right - 1, 0, c.bottom - 1);
    }
    /** A client point inside the hex's body and inside the window's active area, if any. */
    std::optional<TPoint> PointIn(int hex) {
        const TPoint o = MapBoard::HexOrigin(hex) - Scroll();
        const TRect c = Client();
        return PointBetween(std::max(o.x + 1, 0), std::min(o.x + 23, c.right - Margin - 1),
                            std::max(o.y + 1, 0), std::min(o.y + 39, c.bottom - Margin - 1));
    }
    /** Scrolls, as with the scroll bars, until the hex shows in the active area. */
    void ScrollToShow(int hex) {
        if (PointIn(hex) && !Chance(10))
            return;
        const TPoint o = MapBoard::HexOrigin(hex);
        const TRect c = Client();
        const auto place = [&](int origin, int body, int size, int range) {
            const int low = std::clamp(origin + body + Margin + 1 - size, 0, range);
            const int high = std::clamp(origin + 1, 0, range);
            return low <= high ? Between(low, high) : low;
        };
        const KVKMap& map = Window->Map();
        Scrolled(
            place(o.x, MapBoard::BodyWidth, c.Width(), std::max(0, map.MapWidth() - c.Width())),
            place(o.y, MapBoard::BodyHeight, c.Height(),
                  std::max(0, map.MapHeight() - c.Height())));
    }
    void Scrolled(int x, int y) {
        Window->ScrollTo(x, y);
        QCoreApplication::processEvents(); // the window repaints at the new position
    }
    int RandomUnitHex() { return Model.Units[std::size_t(Between(0, Units - 1))].HexIndex; }
    /** A hex that shows in the window, other than avoid; occupied ones are preferred if asked. */
    int VisibleHex(int avoid, bool occupied, bool empty = false) {
        for (int tries = 0; tries < 400; ++tries) {
            int hex = Between(0, MapBoard::HexCount - 1);
            if (occupied && tries < 200)
                hex = RandomUnitHex();
            if (hex == avoid || (empty && Model.Count(hex) > 0) || !PointIn(hex))
                continue;
            return hex;
        }
        return -1;
    }

    // ---- The log -------------------------------------------------------------------------

    void Log(const std::string& what) {
        Recent.push_back("#" + std::to_string(Index) + " " + what);
        if (Recent.size() > LogLength)
            Recent.pop_front();
    }
    std::string RecentActions() const {
        std::string out;
        for (const std::string& line : Recent)
            out += "  " + line + "\n";
        return out;
    }

    // ---- The actions ---------------------------------------------------------------------

    void OpenFirstTurn() {
        Hooks.AnswerFileDialog(Dir.Path("opening.kvk"));
        Command(KVKWindow::OpenTurnId);
        const SavedTurn& turn = Saved[Dir.Path("opening.kvk")];
        Model.Load(turn.Units, turn.Combats);
        Done.Everything = true;
        Log("open the sample turn");
    }

    /** A drop on the hex the drag began in turns its stack over once. */
    void DroppedOnItsOwnHex(int hex) {
        Model.Rotate(hex);
        Model.Forget();
        Model.Modified = true;
        Done.Hex(hex);
    }
    /** What a drop on another hex does to the model: one counter moves, or in Move All all. */
    void DroppedOnOtherHex(int from, int to) {
        if (Model.MoveAll) {
            // Every counter moves, one by one: the stack arrives upside down.
            for (int n = Model.Count(from); n > 0; --n)
                Model.MoveTop(from, to);
            Model.Forget();
        } else {
            Model.MoveTop(from, to);
            Model.UndoFrom = from;
            Model.UndoTo = to;
        }
        Model.Modified = true;
        Done.Hex(from);
        Done.Hex(to);
    }

    /** Drags the top counter of a stack to another hex, one counter or, in Move All, all. */
    void DragToOtherHex() {
        const int from = RandomUnitHex();
        LeftMode(KVKWindow::ModeMoveId);
        ScrollToShow(from);
        const int to = VisibleHex(from, Chance(40));
        if (to < 0)
            return Log("drag from " + Label(from) + ": no hex to drop on");
        const TPoint p = *PointIn(from), q = *PointIn(to);
        Log(std::string(Model.MoveAll ? "Move All drag " : "drag unit ") +
            (Model.MoveAll ? "" : std::to_string(Model.Top(from)) + " ") + Label(from) + " -> " +
            Label(to));
        Drag(p, q);
        DroppedOnOtherHex(from, to);
        StatusAt = q;
    }
    /**
     * A drag from inside a hex let go anywhere in the window, the band and the corners between
     * hexes included: the hex under that point, as the grid names it, takes the drop.
     */
    void DragToAnyPoint() {
        const int from = RandomUnitHex();
        LeftMode(KVKWindow::ModeMoveId);
        ScrollToShow(from);
        const TPoint p = *PointIn(from);
        const TRect c = Client();
        const TPoint q = AnyClientPoint();
        const int to = MapBoard::HexAt(q + Scroll());
        Log(std::string(Model.MoveAll ? "Move All drag " : "drag ") + Label(from) + " to " +
            std::to_string(q.x) + "," + std::to_string(q.y) + " in " + Label(to));
        Drag(p, q);
        if (to == from) {
            DroppedOnItsOwnHex(from);
        } else {
            DroppedOnOtherHex(from, to);
        }
        if (c.Contains(q + TPoint(Margin, Margin)))
            StatusAt = q;
    }
    /** A drag that ends on its own hex turns the stack over once. */
    void DragOntoItsOwnHex() {
        const int hex = RandomUnitHex();
        LeftMode(KVKWindow::ModeMoveId);
        ScrollToShow(hex);
        const TPoint p = *PointIn(hex), q = *PointIn(hex);
        Log("drag " + Label(hex) + " onto itself");
        Drag(p, q);
        DroppedOnItsOwnHex(hex);
        StatusAt = q;
    }
    /** A drag let go outside the window moves nothing; the last move stays the one to undo. */
    void DragOutOfTheWindow() {
        const int hex = RandomUnitHex();
        LeftMode(KVKWindow::ModeMoveId);
        ScrollToShow(hex);
        const TPoint p = *PointIn(hex);
        const TRect c = Client();
        const TPoint out = Chance(50) ? TPoint(c.right + Between(1, 60), Between(0, c.bottom))
                                      : TPoint(Between(0, c.right), c.bottom + Between(0, 60));
        Log("drag " + Label(hex) + " out of the window");
        Drag(p, out);
        Done.Hex(hex);
    }
    /** A left press on an empty hex forgets the last move; a right one changes nothing, but
     *  in Show Combat shows the combats against the hex, if any. */
    void PressOnEmptyHex() {
        const int hex = VisibleHex(-1, false, true);
        if (hex < 0)
            return Log("click on an empty hex: none in view");
        const TPoint p = *PointIn(hex);
        const bool right = Chance(50);
        Log(std::string(right ? "right" : "left") + " click on empty " + Label(hex));
        if (right && Model.RightMode == KVKWindow::ModeShowCombatId)
            ExpectCombatsShownAt(hex);
        Click(p, right ? Qt::RightButton : Qt::LeftButton);
        if (!right)
            Model.Forget();
        Done.Hex(hex);
        StatusAt = p;
    }
    /** Left presses within the band along the right and bottom edges do nothing at all. */
    void PressInTheBand() {
        const TRect c = Client();
        const TPoint p =
            Chance(50) ? TPoint(Between(c.right - Margin, c.right - 1), Between(0, c.bottom - 1))
                       : TPoint(Between(0, c.right - 1), Between(c.bottom - Margin, c.bottom - 1));
        Log("left click in the band at " + std::to_string(p.x) + "," + std::to_string(p.y));
        Click(p);
    }
    void ReturnToStart() {
        const int from = RandomUnitHex();
        LeftMode(KVKWindow::ModeReturnId);
        ScrollToShow(from);
        const TPoint p = *PointIn(from);
        const int unit = Model.Top(from);
        const int to = Model.Units[std::size_t(unit)].StartIndex;
        Log("return unit " + std::to_string(unit) + " " + Label(from) + " -> " + Label(to));
        Click(p);
        Model.MoveTop(from, to);
        Model.UndoFrom = from;
        Model.UndoTo = to;
        Model.Modified = true;
        Done.Hex(from);
        Done.Hex(to);
        StatusAt = p;
    }
    void RightClickOnStack(int mode) {
        const int hex = RandomUnitHex();
        RightMode(mode);
        ScrollToShow(hex);
        const TPoint p = *PointIn(hex);
        Log(std::string(mode == KVKWindow::ModeRotateId ? "rotate " : "mark top of ") + Label(hex));
        Click(p, Qt::RightButton);
        if (mode == KVKWindow::ModeRotateId)
            Model.Rotate(hex);
        else
            Model.CycleMark(hex);
        Model.Forget();
        Model.Modified = true;
        Done.Hex(hex);
        StatusAt = p;
    }
    void UndoLastMove() {
        Log("undo: top of " + Label(Model.UndoTo) + " back to " + Label(Model.UndoFrom));
        EXPECT_TRUE(Command(KVKWindow::UndoMoveId)) << "Undo Last Move is not enabled";
        Model.MoveTop(Model.UndoTo, Model.UndoFrom);
        Done.Hex(Model.UndoTo);
        Done.Hex(Model.UndoFrom);
        Model.Forget();
        Model.Modified = true;
    }
    void ToggleMoveAll() {
        Log(Model.MoveAll ? "Move All off" : "Move All on");
        Command(KVKWindow::MoveAllId);
        Model.MoveAll = !Model.MoveAll;
    }

    /** What the player does in the combat dialog, and what the combat must record. */
    struct CombatPlan {
        int OddsButton = 0; // 0: the odds group untouched
        bool OneToFiveClicked = false;
        int Modifier = -1; // -1: the modifier group untouched
        bool CloseBeforeRoll = false;
        bool ShortCommentFirst = false;
        bool CancelOneToSixFirst = false;
        std::string Comment;
    };
    CombatPlan PlanCombat() {
        CombatPlan plan;
        const int odds = Between(0, OddsTable::Count); // 0: untouched
        if (odds > 1)
            plan.OddsButton = OddsTable::FirstControlId + odds - 1;
        else if (odds == 1) {
            // The first button is checked already: it only counts once another was chosen.
            plan.OddsButton = OddsTable::FirstControlId + Between(1, OddsTable::Count - 1);
            plan.OneToFiveClicked = true;
        }
        if (Chance(40))
            plan.Modifier = Between(0, 5);
        plan.CloseBeforeRoll = Chance(5);
        plan.ShortCommentFirst = Chance(5);
        plan.CancelOneToSixFirst = Chance(20);
        const std::string letters = CommentLetters;
        const int length = Chance(10) ? Between(62, 75) : Between(2, 30);
        for (int i = 0; i < length; ++i)
            plan.Comment += letters[std::size_t(Between(0, int(letters.size()) - 1))];
        return plan;
    }
    std::string ExpectedOdds(const CombatPlan& plan) const {
        if (plan.OneToFiveClicked)
            return OddsTable::Classes()[0].StoredText;
        if (plan.OddsButton == 0)
            return OddsTable::Placeholder;
        return OddsTable::Classes()[std::size_t(plan.OddsButton - OddsTable::FirstControlId)]
            .StoredText;
    }
    /**
     * An occupied hex to attack: often one attacked before or a neighbour of one, so that the
     * markers of a hex pile up and reach those of the hexes around it.
     */
    int CombatTarget() {
        std::vector<int> near;
        std::vector<int> attacked;
        // Mostly around the combats of this turn, whose markers are placed below each other.
        if (!Model.Declared.empty() && Chance(70)) {
            for (const CombatRecord& c : Model.Declared)
                attacked.push_back(c.Data.HexIndex);
        } else {
            attacked = AttackedHexes();
        }
        for (int hex : attacked) {
            const int column = hex / MapBoard::Rows, row = hex % MapBoard::Rows;
            for (const auto& [dc, dr] : {std::pair(0, 0), std::pair(0, 1), std::pair(0, -1),
                                         std::pair(1, 0), std::pair(-1, 0)}) {
                const int c = column + dc, r = row + dr;
                if (c >= 0 && c < MapBoard::Columns && r >= 0 && r < MapBoard::Rows &&
                    Model.Count(c * MapBoard::Rows + r) > 0)
                    near.push_back(c * MapBoard::Rows + r);
            }
        }
        if (!near.empty() && Chance(75))
            return near[std::size_t(Between(0, int(near.size()) - 1))];
        return RandomUnitHex();
    }
    /**
     * The occupied hexes of a battle: a hex, counted twice so that most markers pile up beside
     * it, and those above, below and beside it.
     */
    std::vector<int> BattleHexes() const {
        std::vector<int> hexes;
        const int column = Battle / MapBoard::Rows, row = Battle % MapBoard::Rows;
        for (const auto& [dc, dr] : {std::pair(0, 0), std::pair(0, 1), std::pair(0, -1),
                                     std::pair(1, 0), std::pair(-1, 0), std::pair(0, 0)}) {
            const int c = column + dc, r = row + dr;
            if (c >= 0 && c < MapBoard::Columns && r >= 0 && r < MapBoard::Rows &&
                Model.Count(c * MapBoard::Rows + r) > 0)
                hexes.push_back(c * MapBoard::Rows + r);
        }
        return hexes;
    }
    void DeclareCombat() {
        const bool onEmpty = Chance(10);
        LeftMode(KVKWindow::ModeCombatId);
        int hex = -1;
        if (onEmpty) {
            hex = VisibleHex(-1, false, true);
            if (hex < 0)
                return Log("combat on an empty hex: none in view");
        } else if (BattleLeft > 0 && !BattleHexes().empty()) {
            // A battle goes on: one combat after another against a few hexes close together,
            // whose markers pile up and meet those of the neighbours.
            --BattleLeft;
            const std::vector<int> hexes = BattleHexes();
            hex = hexes[std::size_t(Between(0, int(hexes.size()) - 1))];
            ScrollToShow(hex);
        } else {
            BattleLeft = 0;
            hex = CombatTarget();
            if (Chance(15)) {
                Battle = hex;
                BattleLeft = Between(3, 10);
            }
            ScrollToShow(hex);
        }
        const TPoint p = *PointIn(hex);
        Model.Forget();
        StatusAt = p;
        if (onEmpty) {
            Log("combat click on empty " + Label(hex));
            Click(p);
            return;
        }
        const CombatPlan plan = PlanCombat();
        Log("combat against " + Label(hex) + ", odds button " + std::to_string(plan.OddsButton) +
            ", comment \"" + plan.Comment + "\"");
        const bool oneToSix = plan.OddsButton == 0 || plan.OneToFiveClicked;
        std::string typed;
        Hooks.DriveDialog(CombatDlg::TemplateId, [&](DialogDriver& d) {
            if (plan.CloseBeforeRoll) {
                Hooks.AnswerMessageBox(IDOK); // "A bone must be Cast"
                d.Click(IDCANCEL);
            }
            if (plan.OddsButton)
                d.Click(plan.OddsButton);
            if (plan.OneToFiveClicked)
                d.Click(OddsTable::FirstControlId);
            if (plan.Modifier >= 0)
                d.Click(CombatDlg::FirstModifierId + plan.Modifier);
            d.Click(IDOK); // the bone
            if (plan.ShortCommentFirst) {
                d.Type(CombatDlg::CommentId, plan.Comment.substr(0, 1));
                if (oneToSix)
                    Hooks.AnswerMessageBox(IDOK); // "Is it really a 1:6 attack?"
                Hooks.AnswerMessageBox(IDOK);     // "Need Coments To Continue"
                d.Click(IDCANCEL);
            }
            d.Type(CombatDlg::CommentId, plan.Comment);
            if (oneToSix) {
                if (plan.CancelOneToSixFirst) {
                    Hooks.AnswerMessageBox(IDCANCEL);
                    d.Click(IDCANCEL);
                }
                Hooks.AnswerMessageBox(IDOK);
            }
            typed = d.Text(CombatDlg::CommentId);
            d.Click(IDCANCEL);
            EXPECT_FALSE(d.IsOpen()) << "the combat dialog did not close";
        });
        auto& combats = static_cast<CaECombats&>(Window->Map().Combats());
        const std::size_t before = combats.Declared().size();
        Click(p);
        Model.Modified = true;
        if (combats.Declared().size() != before + 1) {
            ADD_FAILURE() << "the combat against " << Label(hex) << " was not declared";
            return;
        }
        const CaECombat& made = *combats.Declared().front();
        EXPECT_EQ(made.Data.HexIndex, hex);
        EXPECT_EQ(made.Data.Odds, ExpectedOdds(plan));
        const std::string limited = plan.Comment.substr(0, CombatDlg::CommentLimit);
        if (!plan.ShortCommentFirst) {
            EXPECT_EQ(typed, limited) << "the comment edit keeps " << CombatDlg::CommentLimit;
        }
        EXPECT_EQ(made.Data.Comments, typed);
        if (made.Data.DieRoll.size() != 1 || made.Data.DieRoll[0] < '1' ||
            made.Data.DieRoll[0] > '6') {
            ADD_FAILURE() << "die roll \"" << made.Data.DieRoll << "\"";
            return;
        }
        if (!made.Marker) {
            ADD_FAILURE() << "a rolled combat has no marker";
            return;
        }
        // The marker shows the rolled digit in red, beside the hex: it covers no counter.
        EXPECT_EQ(made.Marker->GetImageId(), Tagger::FirstImageId + (made.Data.DieRoll[0] - '1'));
        const TRect marker(made.Marker->GetPosition(),
                           TSize(made.Marker->GetWidth(), made.Marker->GetHeight()));
        for (int column = 0; column < MapBoard::Columns; ++column) {
            const TRect strip(column * MapBoard::ColumnPitch, 0,
                              column * MapBoard::ColumnPitch + MapBoard::BodyWidth, 1 << 20);
            EXPECT_TRUE((strip & marker).IsEmpty())
                << "the marker at " << marker.left << "," << marker.top
                << " covers counters of column " << column;
        }
        CombatRecord record{made.Data, made.Marker->GetPosition(), made.Marker->GetImageId()};
        Model.Declared.insert(Model.Declared.begin(), record);
        Model.Shown.push_back({record.MarkerPosition, record.MarkerImage});
        Done.Marker(record.MarkerPosition);
        Done.Hex(hex);
    }
    /** Hexes with combats against them, declared or received. */
    std::vector<int> AttackedHexes() const {
        std::vector<int> hexes;
        for (const auto* list : {&Model.Declared, &Model.Received})
            for (const CombatRecord& c : *list)
                if (c.Data.HexIndex >= 0 && c.Data.HexIndex < MapBoard::HexCount)
                    hexes.push_back(c.Data.HexIndex);
        return hexes;
    }
    /** Queues a driver for the result dialog of every combat against the hex, in list order. */
    void ExpectCombatsShownAt(int hex) {
        for (const auto* list : {&Model.Declared, &Model.Received})
            for (const CombatRecord& c : *list) {
                if (c.Data.HexIndex != hex)
                    continue;
                const CombatStruct data = c.Data;
                Hooks.DriveDialog(CombatShowDlg::TemplateId, [data](DialogDriver& d) {
                    EXPECT_EQ(d.Text(CombatShowDlg::DieTextId), data.DieRoll);
                    EXPECT_EQ(d.Text(CombatShowDlg::OddsTextId), data.Odds);
                    // The sample turn's comments may hold letters the dialog shows decoded.
                    if (data.Comments.find_first_not_of(CommentLetters) == std::string::npos) {
                        EXPECT_EQ(d.Text(CombatShowDlg::CommentTextId), data.Comments);
                    }
                    d.Click(IDCANCEL);
                });
            }
    }
    void ShowCombat() {
        const std::vector<int> attacked = AttackedHexes();
        const int hex = !attacked.empty() && Chance(80)
                            ? attacked[std::size_t(Between(0, int(attacked.size()) - 1))]
                            : RandomUnitHex();
        RightMode(KVKWindow::ModeShowCombatId);
        ScrollToShow(hex);
        const std::optional<TPoint> p = PointIn(hex);
        if (!p)
            return Log("show combats of " + Label(hex) + ": not in view");
        Log("show combats of " + Label(hex));
        ExpectCombatsShownAt(hex);
        Click(*p, Qt::RightButton);
        StatusAt = *p;
    }
    void ShowAll() {
        Log("Show All");
        Command(KVKWindow::ShowAllId);
        Model.ShowAllMarkers();
        Done.Everything = true;
    }
    void ClearAll() {
        Log("Clear All");
        Command(KVKWindow::ClearAllId);
        Model.Shown.clear();
        Done.Everything = true;
    }
    void Zoom() {
        Log(Model.Zoomed ? "zoom off" : "zoom on");
        Command(KVKWindow::ZoomId);
        Model.Zoomed = !Model.Zoomed;
    }
    /** Zoomed, the board takes no presses; a left press only forgets the last move. */
    void PressWhileZoomed() {
        const TRect c = Client();
        const TPoint p = AnyClientPoint();
        const bool right = Chance(50);
        Log(std::string("zoomed ") + (right ? "right" : "left") + " click at " +
            std::to_string(p.x) + "," + std::to_string(p.y));
        if (right) {
            Click(p, Qt::RightButton);
        } else {
            Drag(p, AnyClientPoint());
            if (c.Contains(p + TPoint(Margin, Margin)))
                Model.Forget();
        }
    }
    /** Scrolls with the scroll bars, the wheel (across with Shift) or the keys. */
    void ScrollSomewhere() {
        const int how = Between(1, 4);
        if (how == 1) {
            const TRect c = Client();
            const int x = Between(0, std::max(0, Window->Map().MapWidth() - c.Width()));
            const int y = Between(0, std::max(0, Window->Map().MapHeight() - c.Height()));
            Log("scroll to " + std::to_string(x) + "," + std::to_string(y));
            Scrolled(x, y);
        } else if (how == 2) {
            const bool across = Chance(50);
            const int notches = Between(-4, 4);
            Log("wheel " + std::to_string(notches) + (across ? " across" : " down"));
            const QPointF at(Q(AnyClientPoint()));
            QWheelEvent wheel(at, Viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches),
                              Qt::NoButton, across ? Qt::ShiftModifier : Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(Viewport(), &wheel);
        } else {
            static constexpr std::array<Qt::Key, 6> keys = {Qt::Key_PageDown, Qt::Key_PageUp,
                                                            Qt::Key_Left,     Qt::Key_Right,
                                                            Qt::Key_Up,       Qt::Key_Down};
            const Qt::Key key = keys[std::size_t(Between(0, int(keys.size()) - 1))];
            Log("key " + QKeySequence(key).toString().toStdString());
            QTest::keyClick(Widget(), key);
        }
        QCoreApplication::processEvents();
    }
    void Resize() {
        static constexpr std::array<TSize, 4> sizes = {TSize(800, 600), TSize(1024, 720),
                                                       TSize(1300, 900), TSize(640, 480)};
        const TSize s = sizes[std::size_t(Between(0, int(sizes.size()) - 1))];
        Log("resize to " + std::to_string(s.cx) + "x" + std::to_string(s.cy));
        Widget()->resize(s.cx, s.cy);
        QCoreApplication::processEvents();
    }

    /** The name a save is given: one of a few, the turn's own included, now and then a folder
     *  that does not exist. */
    std::string SaveName(bool& writable) {
        writable = !Chance(4);
        if (!writable)
            return Dir.Path("missing/turn.kvk");
        static constexpr std::array<const char*, 4> names = {"turn1.kvk", "turn2.kvk", "turn3.kvk",
                                                             "opening.kvk"};
        return Dir.Path(names[std::size_t(Between(0, int(names.size()) - 1))]);
    }
    /**
     * Answers the save sequence: end of turn or not, then the file dialog. Returns whether the
     * save completes; the model then holds the turn as reopened from its files.
     */
    bool AnswerSave(bool endOfTurn) {
        Hooks.AnswerMessageBox(endOfTurn ? IDYES : IDNO);
        if (Chance(5)) {
            Hooks.CancelFileDialog();
            Log(std::string("save (") + (endOfTurn ? "end" : "part way") + "), dialog cancelled");
            return false;
        }
        bool writable = true;
        const std::string name = SaveName(writable);
        Hooks.AnswerFileDialog(name);
        Log(std::string("save (") + (endOfTurn ? "end of turn" : "part way") + ") as " +
            name.substr(name.rfind('/') + 1) + (writable ? "" : " (not writable)"));
        if (!writable) {
            Hooks.AnswerMessageBox(IDOK); // "The turn was not saved."
            return false;
        }
        Pending = SavedFiles{name, endOfTurn, Model.Units, Model.FileCombats()};
        return true;
    }
    struct SavedFiles {
        std::string Name;
        bool EndOfTurn = false;
        UnitFile::Records Played;
        std::vector<CombatRecord> Combats;
    };
    /** After a completed save: the files hold the model's turn; the board is reopened. */
    void CheckSavedFiles() {
        if (!Pending)
            return;
        const SavedFiles s = *Pending;
        Pending.reset();
        UnitFile::Records written = s.Played;
        if (s.EndOfTurn)
            for (CounterRecord& r : written)
                r.StartIndex = r.HexIndex;
        const ParsedUnitFile units = UnitFile::ReadFile(s.Name);
        EXPECT_TRUE(units.Ok()) << s.Name << ": " << units.Reason;
        if (units.Records != written) {
            for (int u = 0; u < Units; ++u) {
                const CounterRecord &a = units.Records[std::size_t(u)],
                                    &b = written[std::size_t(u)];
                if (!(a == b)) {
                    ADD_FAILURE() << "unit file, unit " << u << ": " << a.HexIndex << "/"
                                  << a.StartIndex << "/" << a.Mark << " where the turn had "
                                  << b.HexIndex << "/" << b.StartIndex << "/" << b.Mark;
                    break;
                }
            }
        }
        const ParsedCombatFile combats = CombatFile::ReadFile(TurnFile::CombatFileName(s.Name));
        EXPECT_TRUE(combats.Ok()) << combats.Reason;
        EXPECT_EQ(combats.Records.size(), s.Combats.size()) << "combats in the combat file";
        if (combats.Records != s.Combats) {
            for (std::size_t i = 0; i < std::min(combats.Records.size(), s.Combats.size()); ++i) {
                if (!(combats.Records[i] == s.Combats[i])) {
                    const CombatRecord &a = combats.Records[i], &b = s.Combats[i];
                    ADD_FAILURE() << "combat file, record " << i << ": hex " << a.Data.HexIndex
                                  << " marker " << a.MarkerPosition.x << "," << a.MarkerPosition.y
                                  << " picture " << a.MarkerImage << " where the turn had hex "
                                  << b.Data.HexIndex << " marker " << b.MarkerPosition.x << ","
                                  << b.MarkerPosition.y << " picture " << b.MarkerImage;
                    break;
                }
            }
        }
        // Every combat of the turn reaches the opponent with a marker of its own: markers of
        // the same hex stand below each other, whether declared before a save part way or after.
        for (std::size_t i = 0; i < combats.Records.size(); ++i)
            for (std::size_t j = i + 1; j < combats.Records.size(); ++j) {
                EXPECT_FALSE(combats.Records[i].MarkerPosition == combats.Records[j].MarkerPosition)
                    << "combats " << i << " and " << j << " against "
                    << Label(combats.Records[i].Data.HexIndex) << " and "
                    << Label(combats.Records[j].Data.HexIndex) << " have their markers at "
                    << combats.Records[i].MarkerPosition.x << ","
                    << combats.Records[i].MarkerPosition.y;
            }
        EXPECT_EQ(TestDir::ReadFile(TurnFile::ReportFileName(s.Name)),
                  MovementReport::Text(s.Played));
        Saved[s.Name] = {written, s.Combats, true};
        Model.Load(written, s.Combats);
        // A turn the player saved, part way or at its end, passes its combats on again.
        Model.Resend = true;
        Done.Everything = true;
    }
    void Save(bool endOfTurn) {
        const int roll = Between(1, 100);
        if (roll <= 4) {
            Log("save, cancelled at the end-of-turn question");
            Hooks.AnswerMessageBox(IDCANCEL);
            Command(KVKWindow::SaveTurnId);
            return;
        }
        AnswerSave(endOfTurn);
        Command(KVKWindow::SaveTurnId);
        CheckSavedFiles();
    }
    void OpenTurn() {
        if (Model.Modified) {
            const int roll = Between(1, 100);
            if (roll <= 15) {
                Log("open: cancelled at the question");
                Hooks.AnswerMessageBox(IDCANCEL);
                Command(KVKWindow::OpenTurnId);
                return;
            }
            if (roll <= 35) {
                Hooks.AnswerMessageBox(IDYES); // save first
                if (!AnswerSave(Chance(50))) {
                    Command(KVKWindow::OpenTurnId);
                    return; // the save did not complete: the work stays on the board
                }
            } else {
                Hooks.AnswerMessageBox(IDNO);
            }
        }
        std::vector<std::string> names;
        for (const auto& [name, turn] : Saved)
            names.push_back(name);
        const int roll = Between(1, 100);
        std::string name;
        if (roll <= 8) {
            Hooks.CancelFileDialog();
        } else if (roll <= 12) {
            name = Dir.Path("nowhere.kvk");
            Hooks.AnswerFileDialog(name);
            Hooks.AnswerMessageBox(IDOK); // "Failed to open a '.kvk' file."
        } else {
            name = names[std::size_t(Between(0, int(names.size()) - 1))];
            Hooks.AnswerFileDialog(name);
        }
        Log("open " +
            (name.empty() ? std::string("(cancelled)") : name.substr(name.rfind('/') + 1)));
        Command(KVKWindow::OpenTurnId);
        CheckSavedFiles(); // a save first, if one was asked for
        Model.Zoomed = false;
        if (roll > 12) {
            const SavedTurn& turn = Saved[name];
            Model.Load(turn.Units, turn.Combats);
            Model.Resend = turn.Own;
            Done.Everything = true;
        }
    }

    void RotateStack() { RightClickOnStack(KVKWindow::ModeRotateId); }
    void MarkStack() { RightClickOnStack(KVKWindow::ModeMarkId); }
    void SaveMidTurn() { Save(false); }
    void SaveEndOfTurn() { Save(true); }
    void UndoOrDrag() {
        if (Model.CanUndo())
            UndoLastMove();
        else
            DragToOtherHex();
    }

    /** The frame asks before the program closes: with unsaved work, whether to save it. */
    void AskToClose() {
        bool closes = true;
        if (Model.Modified) {
            const int roll = Between(1, 100);
            if (roll <= 40) {
                Log("close: cancelled");
                Hooks.AnswerMessageBox(IDCANCEL);
                closes = false;
            } else if (roll <= 70) {
                Log("close: not saved");
                Hooks.AnswerMessageBox(IDNO);
            } else {
                Hooks.AnswerMessageBox(IDYES);
                closes = AnswerSave(Chance(50));
            }
        } else {
            Log("close: nothing to save");
        }
        EXPECT_EQ(Window->CanClose(), closes) << "whether the program may close";
        CheckSavedFiles();
    }

    /** A kind of action, and how often a player makes it compared with the others. */
    struct Action {
        const char* Name;
        int Weight;
        void (SoakTest::*Run)();
    };
    /** Plays one action, counting it and the time it took. */
    void Play(const char* name, void (SoakTest::*action)()) {
        const auto start = std::chrono::steady_clock::now();
        (this->*action)();
        Tally& tally = Played[name];
        ++tally.Count;
        tally.Seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    /** One of the actions, drawn by their weights. */
    template <std::size_t N> void PlayOneOf(const Action (&actions)[N]) {
        int total = 0;
        for (const Action& a : actions)
            total += a.Weight;
        int roll = Between(1, total);
        for (const Action& a : actions) {
            roll -= a.Weight;
            if (roll <= 0)
                return Play(a.Name, a.Run);
        }
    }
    /** One random action, as a player might make it next. */
    void PlayOne() {
        // What a player does next, with how often, on the map at full size and zoomed.
        static constexpr Action Unzoomed[] = {
            {"drag", 300, &SoakTest::DragToOtherHex},
            {"drop anywhere", 40, &SoakTest::DragToAnyPoint},
            {"drag onto own hex", 30, &SoakTest::DragOntoItsOwnHex},
            {"drag out", 20, &SoakTest::DragOutOfTheWindow},
            {"click empty hex", 20, &SoakTest::PressOnEmptyHex},
            {"click band", 10, &SoakTest::PressInTheBand},
            {"return", 50, &SoakTest::ReturnToStart},
            {"rotate", 80, &SoakTest::RotateStack},
            {"mark", 60, &SoakTest::MarkStack},
            {"undo", 100, &SoakTest::UndoOrDrag},
            {"move all", 30, &SoakTest::ToggleMoveAll},
            {"combat", 80, &SoakTest::DeclareCombat},
            {"show combat", 30, &SoakTest::ShowCombat},
            {"show all", 15, &SoakTest::ShowAll},
            {"clear all", 15, &SoakTest::ClearAll},
            {"zoom", 20, &SoakTest::Zoom},
            {"scroll", 50, &SoakTest::ScrollSomewhere},
            {"resize", 10, &SoakTest::Resize},
            {"save part way", 15, &SoakTest::SaveMidTurn},
            {"save end of turn", 12, &SoakTest::SaveEndOfTurn},
            {"open", 12, &SoakTest::OpenTurn},
            {"close question", 5, &SoakTest::AskToClose},
        };
        static constexpr Action Zoomed[] = {
            {"zoom", 40, &SoakTest::Zoom},
            {"zoomed click", 35, &SoakTest::PressWhileZoomed},
            {"show all", 7, &SoakTest::ShowAll},
            {"clear all", 7, &SoakTest::ClearAll},
            {"save part way", 4, &SoakTest::SaveMidTurn},
            {"save end of turn", 3, &SoakTest::SaveEndOfTurn},
            {"open", 3, &SoakTest::OpenTurn},
            {"resize", 3, &SoakTest::Resize},
            {"close question", 1, &SoakTest::AskToClose},
        };
        Done = Touched();
        StatusAt.reset();
        if (Model.Zoomed) {
            PlayOneOf(Zoomed);
        } else if (BattleLeft > 0 && Chance(80)) {
            Play("combat", &SoakTest::DeclareCombat);
        } else {
            PlayOneOf(Unzoomed);
        }
    }
    /** How often each kind of action was played, and the seconds it took. */
    std::string PlayedCounts() const {
        std::ostringstream out;
        out.precision(2);
        for (const auto& [name, tally] : Played)
            out << "\n    " << tally.Count << " " << name << " (" << std::fixed << tally.Seconds
                << " s)";
        return out.str();
    }

    // ---- The checks ----------------------------------------------------------------------

    void CheckHooks() {
        EXPECT_TRUE(Hooks.Failures().empty()) << Hooks.Report();
        EXPECT_EQ(Hooks.PendingAnswers(), 0u) << "message boxes expected but not shown";
        EXPECT_EQ(Hooks.PendingDrivers(), 0u) << "dialogs expected but not shown";
        EXPECT_EQ(Hooks.PendingFileAnswers(), 0u) << "file dialogs expected but not shown";
    }
    /** Every unit stands in exactly one stack, where the model has it, at its hex's origin. */
    void CheckStacks() {
        KVKMap& board = Window->Map();
        std::unordered_map<const Counter*, int> unitOf;
        for (int u = 0; u < Units; ++u)
            unitOf[board.GetCounter(u)] = u;
        std::array<int, Units> seen{};
        for (int h = 0; h < MapBoard::HexCount; ++h) {
            std::vector<int> units;
            for (const Counter* c : board.HexAtIndex(h).Counters()) {
                const auto found = unitOf.find(c);
                if (found == unitOf.end()) {
                    ADD_FAILURE() << Label(h) << " holds a counter of no unit";
                    return;
                }
                units.push_back(found->second);
                ++seen[std::size_t(found->second)];
                if (!(c->Position == MapBoard::HexOrigin(h))) {
                    ADD_FAILURE() << "unit " << found->second << " in " << Label(h) << " stands at "
                                  << c->Position.x << "," << c->Position.y;
                }
            }
            if (units != Model.Stacks[std::size_t(h)]) {
                std::ostringstream had, want;
                for (int u : units)
                    had << " " << u;
                for (int u : Model.Stacks[std::size_t(h)])
                    want << " " << u;
                ADD_FAILURE() << Label(h) << " holds [" << had.str() << " ] where the model has ["
                              << want.str() << " ]";
                return;
            }
        }
        for (int u = 0; u < Units; ++u) {
            EXPECT_EQ(seen[std::size_t(u)], 1) << "unit " << u << " stands in that many stacks";
        }
        const UnitFile::Records records = board.Records();
        for (int u = 0; u < Units; ++u) {
            const CounterRecord &a = records[std::size_t(u)], &b = Model.Units[std::size_t(u)];
            if (!(a == b)) {
                ADD_FAILURE() << "unit " << u << ": hex/start/mark " << a.HexIndex << "/"
                              << a.StartIndex << "/" << a.Mark << " where the model has "
                              << b.HexIndex << "/" << b.StartIndex << "/" << b.Mark;
                return;
            }
        }
    }
    /** The combat lists hold the model's combats, and exactly the markers it shows are on. */
    void CheckCombats() {
        const auto& combats = static_cast<CaECombats&>(Window->Map().Combats());
        std::vector<BoardProbe::MarkerPicture> stamped;
        const auto compare = [&](const std::list<std::unique_ptr<CaECombat>>& list,
                                 const std::vector<CombatRecord>& model, const char* which) {
            if (list.size() != model.size()) {
                ADD_FAILURE() << list.size() << " " << which << " combats where the model has "
                              << model.size();
                return;
            }
            std::size_t i = 0;
            for (const auto& c : list) {
                const CombatRecord& m = model[i++];
                if (!c->Marker) {
                    ADD_FAILURE() << which << " combat " << i << " has no marker";
                    continue;
                }
                EXPECT_EQ(c->Data, m.Data) << which << " combat " << i;
                EXPECT_EQ(c->Marker->GetPosition(), m.MarkerPosition) << which << " combat " << i;
                EXPECT_EQ(c->Marker->GetImageId(), m.MarkerImage) << which << " combat " << i;
                if (c->Marker->IsStamped())
                    stamped.push_back({c->Marker->GetPosition(), c->Marker->GetImageId()});
            }
        };
        compare(combats.Declared(), Model.Declared, "declared");
        compare(combats.Received(), Model.Received, "received");
        std::vector<BoardProbe::MarkerPicture> shown = Model.Shown;
        const auto order = [](const BoardProbe::MarkerPicture& a,
                              const BoardProbe::MarkerPicture& b) {
            return std::tie(a.Position.x, a.Position.y, a.Image) <
                   std::tie(b.Position.x, b.Position.y, b.Image);
        };
        std::sort(shown.begin(), shown.end(), order);
        std::sort(stamped.begin(), stamped.end(), order);
        EXPECT_TRUE(shown == stamped) << stamped.size() << " markers on the map where the model "
                                      << "shows " << shown.size();
    }
    void CheckCommands() {
        EXPECT_EQ(MapWindowProbe::Modified(*Window), Model.Modified) << "unsaved changes";
        EXPECT_EQ(MapWindowProbe::Zoomed(*Window), Model.Zoomed);
        EXPECT_EQ(Ask(KVKWindow::UndoMoveId).IsEnabled(), Model.CanUndo()) << "Undo Last Move";
        EXPECT_EQ(Ask(KVKWindow::MoveAllId).GetCheck() == TCommandEnabler::Checked, Model.MoveAll)
            << "Move All";
        EXPECT_EQ(Ask(KVKWindow::ZoomId).GetCheck() == TCommandEnabler::Checked, Model.Zoomed)
            << "Zoom";
        EXPECT_FALSE(Window->IsDragging());
    }
    /** The status bar names the hex under the pointer and whether its top counter moved. */
    void CheckStatus() {
        if (!StatusAt || Model.Zoomed)
            return;
        const TPoint m = *StatusAt + Scroll();
        const int hex = MapBoard::HexAt(m);
        std::string label;
        MapBoard::HexLabel(hex, label, false);
        EXPECT_EQ(HexField.GetText(), label);
        const int top = Model.Top(hex);
        EXPECT_EQ(MoveField.GetText(),
                  top < 0 ? " " : (Model.HasMoved(top) ? "Has Moved" : "Yet To Move"))
            << "over " << Label(hex);
    }
    /** Compares the surface with a fresh drawing of the model over an area of the map. */
    void CompareSurface(const TRect& wanted) {
        const TBitmap& surface = *Window->Map().MapSurface().GetBitmap();
        const TRect area = wanted & TRect(0, 0, surface.Width(), surface.Height());
        if (area.IsEmpty())
            return;
        const TBitmap fresh = BoardProbe::FreshDrawingOf(Window->Map(), *Bare, area, Model.Shown);
        for (int y = 0; y < area.Height(); ++y) {
            const std::uint32_t* have =
                surface.Bits() + std::ptrdiff_t(area.top + y) * surface.Stride() + area.left;
            const std::uint32_t* want = fresh.Bits() + std::ptrdiff_t(y) * fresh.Stride();
            if (std::memcmp(have, want, std::size_t(area.Width()) * 4) == 0)
                continue;
            int x = 0;
            while (have[x] == want[x])
                ++x;
            const TPoint at(area.left + x, area.top + y);
            ADD_FAILURE() << "the map surface at " << at.x << "," << at.y << " (hex "
                          << Label(MapBoard::HexAt(at)) << ") is " << std::hex << have[x]
                          << " where a fresh drawing has " << want[x] << std::dec;
            return;
        }
    }
    /** The window shows the surface: at the scroll position, or stretched while zoomed. */
    void CheckWindow() {
        QCoreApplication::processEvents();
        const TBitmap& client = *Window->GetClientBitmap();
        const TBitmap& surface = *Window->Map().MapSurface().GetBitmap();
        TBitmap stretched(0, 0);
        const TBitmap* source = &surface;
        TPoint at = Scroll();
        if (Model.Zoomed) {
            stretched = TBitmap(client.Width(), client.Height());
            TMemoryDC dc(stretched);
            dc.StretchBlt(Client(), Window->Map().MapSurface(), Window->Map().MapRect());
            source = &stretched;
            at = TPoint();
        }
        const int width = std::min(client.Width(), source->Width() - at.x);
        const int height = std::min(client.Height(), source->Height() - at.y);
        for (int y = 0; y < height; ++y) {
            const std::uint32_t* have = client.Bits() + std::ptrdiff_t(y) * client.Stride();
            const std::uint32_t* want =
                source->Bits() + std::ptrdiff_t(at.y + y) * source->Stride() + at.x;
            if (std::memcmp(have, want, std::size_t(width) * 4) == 0)
                continue;
            int x = 0;
            while (have[x] == want[x])
                ++x;
            ADD_FAILURE() << "the window at " << x << "," << y << (Model.Zoomed ? " (zoomed)" : "")
                          << " shows " << std::hex << have[x] << " where the map surface has "
                          << want[x] << std::dec;
            return;
        }
    }
    void CheckEverything(bool wholeSurface) {
        CheckHooks();
        CheckStacks();
        CheckCombats();
        CheckCommands();
        CheckStatus();
        if (wholeSurface || Done.Everything) {
            CompareSurface(Window->Map().MapRect());
        } else {
            for (const TRect& area : Done.Areas)
                CompareSurface(area);
        }
        CheckWindow();
    }

    QuietMouseGrab Quiet;
    TestDir Dir;
    ModalHooks Hooks;
    TTextGadget HexField{600};
    TTextGadget MoveField{601};
    std::unique_ptr<TBitmap> Bare;
    std::unique_ptr<KVKWindow> Window;

    std::mt19937 Rng;
    GameModel Model;
    std::map<std::string, SavedTurn> Saved;
    std::optional<SavedFiles> Pending;
    Touched Done;
    std::optional<TPoint> StatusAt;
    long Index = 0;
    std::deque<std::string> Recent;
    struct Tally {
        int Count = 0;
        double Seconds = 0;
    };
    std::map<std::string, Tally> Played;
    int Battle = 0;     // the hex a battle is fought around
    int BattleLeft = 0; // combats still to come in it
};

TEST_F(SoakTest, aLongRandomGameKeepsBoardFilesAndMapInStep) {
    const unsigned long seed = SeedFromEnvironment();
    const long actions = ActionsFromEnvironment();
    Rng.seed(std::mt19937::result_type(seed));
    std::srand(unsigned(seed)); // the die rolls too, after the board seeded them from the clock
    const auto started = std::chrono::steady_clock::now();

    OpenFirstTurn();
    CheckEverything(true);
    for (Index = 0; Index < actions && !HasFailure(); ++Index) {
        PlayOne();
        CheckEverything(Index % FullCompareEvery == FullCompareEvery - 1 || Index + 1 == actions);
        if (HasFailure()) {
            ADD_FAILURE() << "The soak failed at action #" << Index << " of " << actions
                          << " with seed " << seed
                          << ". To play it again:\n  KURVASK_SOAK_SEED=" << seed
                          << " KURVASK_SOAK_ACTIONS=" << Index + 1
                          << " ctest --preset default -R Soak\nThe last actions:\n"
                          << RecentActions();
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[ soak     ] " << Index << " actions, seed " << seed << ", " << seconds
              << " s, of which" << PlayedCounts() << "\n";
}

} // namespace
