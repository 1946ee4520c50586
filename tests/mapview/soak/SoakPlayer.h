#pragma once

#include "CombatDlg.h"
#include "CombatShowDlg.h"
#include "DialogConstants.h"
#include "OddsTable.h"
#include "SoakChecks.h"

#include <QKeySequence>

#include <cstring>
#include <deque>
#include <map>
#include <random>
#include <span>

/**
 * The random player of the soak test. Each action is made as a player makes it, with the
 * window's commands and real mouse events on its viewport, and applied to the model as the
 * game's rules have it: drags between hexes, Move All drops, Return to Start Hex, rotations,
 * marks, Undo Last Move, combats resolved in their dialog, Show Combat, Show All and Clear
 * All, zoom, scrolling, resizing, saves part way through and at the end of the turn, and
 * turns opened again. The files of every completed save are checked before the model takes
 * the turn as reopened from them.
 */
class SoakPlayer {
public:
    SoakPlayer(KVKWindow& window, ModalHooks& hooks, const TestDir& dir, GameModel& model,
               const SoakChecks& checks, unsigned long seed)
        : Window(window), Player(window), Hooks(hooks), Dir(dir), Model(model), Checks(checks),
          Rng(std::mt19937::result_type(seed)) {}

    void OpenFirstTurn(const std::string& name) {
        Hooks.AnswerFileDialog(name);
        Player.Command(KVKWindow::OpenTurnId);
        Model.Open(Model.SavedTurns[name]);
        TouchAll();
        Log("open the sample turn");
    }

    /** Plays one random action, the index-th. */
    void PlayOne(long index) {
        Index = index;
        Touched.clear();
        StatusAt.reset();
        if (!Model.Zoomed && BattleLeft > 0 && Chance(80))
            return Play("combat", &SoakPlayer::DeclareCombat);
        const auto weight = [this](const Action& a) { return Model.Zoomed ? a.Zoomed : a.Full; };
        int roll = 0;
        for (const Action& a : Actions())
            roll += weight(a);
        roll = Between(1, roll);
        for (const Action& a : Actions())
            if ((roll -= weight(a)) <= 0)
                return Play(a.Name, a.Run);
    }

    /** The last actions, one a line, for a failure's message. */
    std::string RecentActions() const {
        std::string out;
        for (const std::string& line : Recent)
            out += "  " + line + "\n";
        return out;
    }

    /** How often each kind of action, and each case of one counted apart, was played. */
    std::string PlayedCounts() const {
        std::string out;
        for (const auto& [name, count] : Played)
            out += "\n    " + std::to_string(count) + " " + name;
        return out;
    }

    /**
     * The actions never played, and the cases never met that a long game must meet: among them
     * the map window's edge cases, which the checks after each action then cover.
     */
    std::vector<std::string> NeverMet() const {
        std::vector<std::string> names = {"drop in the band",
                                          "Move All drop of a stack",
                                          "return on its start hex",
                                          "undo within one hex",
                                          "right click on an empty hex",
                                          "left click on an empty hex",
                                          "undo with nothing to undo",
                                          "markers shown while zoomed",
                                          "markers cleared while zoomed"};
        for (const Action& a : Actions())
            names.push_back(a.Name);
        std::erase_if(names, [this](const std::string& n) { return Played.contains(n); });
        return names;
    }

    /** What the last action drew over on the map (map coordinates). */
    std::vector<TRect> Touched;
    /** Where the pointer rested in the client area after the last action, if the status bar
     *  was written afresh for that point. */
    std::optional<TPoint> StatusAt;

private:
    /** How many of the last actions a failure lists. */
    static constexpr std::size_t LogLength = 30;
    /** What the soak types into combat comments: plain letters, shown as typed. */
    static constexpr const char* CommentLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 :-.,/";
    /** The comment edit takes this many characters. */
    static constexpr std::size_t CommentLimit = 61;
    static constexpr int Margin = KVKWindow::ActiveMargin;

    /** A kind of action, and how often a player makes it compared with the others, on the
     *  map at full size and zoomed. */
    struct Action {
        const char* Name;
        int Full, Zoomed;
        void (SoakPlayer::*Run)();
    };
    /** What a player does, and how often on the map at full size and zoomed. */
    static std::span<const Action> Actions() {
        static constexpr Action actions[] = {
            {"drag", 300, 0, &SoakPlayer::DragToOtherHex},
            {"drop anywhere", 40, 0, &SoakPlayer::DragToAnyPoint},
            {"drag onto own hex", 30, 0, &SoakPlayer::DragOntoItsOwnHex},
            {"drag out", 20, 0, &SoakPlayer::DragOutOfTheWindow},
            {"click empty hex", 20, 0, &SoakPlayer::PressOnEmptyHex},
            {"click band", 10, 0, &SoakPlayer::PressInTheBand},
            {"return", 50, 0, &SoakPlayer::ReturnToStart},
            {"rotate", 80, 0, &SoakPlayer::RotateStack},
            {"mark", 60, 0, &SoakPlayer::MarkStack},
            {"undo", 100, 0, &SoakPlayer::UndoOrDrag},
            {"move all", 30, 0, &SoakPlayer::ToggleMoveAll},
            {"combat", 80, 0, &SoakPlayer::DeclareCombat},
            {"show combat", 30, 0, &SoakPlayer::ShowCombat},
            {"show all", 15, 12, &SoakPlayer::ShowAll},
            {"clear all", 15, 12, &SoakPlayer::ClearAll},
            {"zoom", 20, 40, &SoakPlayer::Zoom},
            {"zoomed click", 0, 35, &SoakPlayer::PressWhileZoomed},
            {"scroll", 50, 0, &SoakPlayer::ScrollSomewhere},
            {"resize", 10, 3, &SoakPlayer::Resize},
            {"save part way", 15, 4, &SoakPlayer::SaveMidTurn},
            {"save end of turn", 12, 3, &SoakPlayer::SaveEndOfTurn},
            {"open", 12, 3, &SoakPlayer::OpenTurn},
            {"close question", 5, 1, &SoakPlayer::AskToClose},
        };
        return actions;
    }
    // ---- Chance and where to act -------------------------------------------------------

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Rng); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    template <class T> T OneOf(const std::vector<T>& items) {
        return items[std::size_t(Between(0, int(items.size()) - 1))];
    }
    static std::string Text(const TPoint& p) {
        return std::to_string(p.x) + "," + std::to_string(p.y);
    }

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
        const TRect c = Window.GetClientRect();
        return *PointBetween(0, c.right - 1, 0, c.bottom - 1);
    }
    /** A client point in the band along the right and bottom edges, which takes no presses. */
    TPoint BandPoint() {
        const TRect c = Window.GetClientRect();
        return Chance(50)
                   ? TPoint(Between(c.right - Margin, c.right - 1), Between(0, c.bottom - 1))
                   : TPoint(Between(0, c.right - 1), Between(c.bottom - Margin, c.bottom - 1));
    }
    /** Whether a client point takes presses: not in the band along the right and bottom. */
    bool Active(const TPoint& p) const {
        return Window.GetClientRect().Contains(p + TPoint(Margin, Margin));
    }
    /** A client point inside the hex's body and inside the window's active area, if any. */
    std::optional<TPoint> PointIn(int hex) {
        const TPoint o = HexGrid::Origin(hex) - Window.GetScrollPos();
        const TRect c = Window.GetClientRect();
        return PointBetween(std::max(o.x + 1, 0), std::min(o.x + 23, c.right - Margin - 1),
                            std::max(o.y + 1, 0), std::min(o.y + 39, c.bottom - Margin - 1));
    }
    /** Scrolls, as with the scroll bars, until the hex shows in the active area. */
    void ScrollToShow(int hex) {
        if (PointIn(hex) && !Chance(10))
            return;
        const TPoint o = HexGrid::Origin(hex);
        const TRect c = Window.GetClientRect();
        const auto place = [&](int origin, int body, int size, int range) {
            const int low = std::clamp(origin + body + Margin + 1 - size, 0, std::max(0, range));
            const int high = std::clamp(origin + 1, 0, std::max(0, range));
            return low <= high ? Between(low, high) : low;
        };
        Window.ScrollTo(
            place(o.x, HexGrid::BodyWidth, c.Width(), Window.Map().MapWidth() - c.Width()),
            place(o.y, HexGrid::BodyHeight, c.Height(), Window.Map().MapHeight() - c.Height()));
        QCoreApplication::processEvents(); // the window repaints at the new position
    }
    int RandomUnitHex() {
        return Model.Units[std::size_t(Between(0, int(Model.Units.size()) - 1))].HexIndex;
    }
    /** With a button's mode chosen, a random unit's hex scrolled into view and a point in it. */
    std::pair<int, TPoint> StackInView(int& mode, int id) {
        Mode(mode, id);
        const int hex = RandomUnitHex();
        ScrollToShow(hex);
        return {hex, *PointIn(hex)};
    }
    /** A hex that shows in the window, other than avoid; occupied ones are preferred if asked. */
    int VisibleHex(int avoid, bool occupied, bool empty = false) {
        for (int tries = 0; tries < 400; ++tries) {
            const int hex =
                occupied && tries < 200 ? RandomUnitHex() : Between(0, HexGrid::HexCount - 1);
            if (hex != avoid && !(empty && Model.Count(hex) > 0) && PointIn(hex))
                return hex;
        }
        return -1;
    }
    /** Chooses a button's mode (the model's LeftMode or RightMode) by its command. */
    void Mode(int& mode, int id) {
        if (mode != id)
            Player.Command(id);
        mode = id;
    }
    void TouchHex(int hex) {
        Touched.emplace_back(HexGrid::Origin(hex), TSize(HexGrid::BodyWidth, HexGrid::BodyHeight));
    }
    void TouchAll() {
        Touched.emplace_back(0, 0, Window.Map().MapWidth(), Window.Map().MapHeight());
    }
    void Log(const std::string& what) {
        Recent.push_back("#" + std::to_string(Index) + " " + what);
        if (Recent.size() > LogLength)
            Recent.pop_front();
    }

    // ---- Moves ---------------------------------------------------------------------------

    /**
     * Drags the top counter of a stack from p and lets it go at q, in whatever hex the grid
     * puts q: on its own hex the stack turns over once; on another one counter moves, or in
     * Move All the whole stack one by one, so that it arrives upside down.
     */
    void DragAndDrop(int from, const TPoint& p, const TPoint& q) {
        const int to = HexGrid::At(q + Window.GetScrollPos());
        Log(std::string(Model.MoveAll ? "Move All " : "") + "drag unit " +
            std::to_string(Model.Top(from)) + " " + HexGrid::Named(from) + " to " + Text(q) +
            " in " + HexGrid::Named(to));
        if (Window.GetClientRect().Contains(q) && !Active(q))
            Met("drop in the band");
        if (Model.MoveAll && to != from && Model.Count(from) > 1)
            Met("Move All drop of a stack");
        Player.Drag(p, q, Between(1, 4));
        if (to == from) {
            Model.Rotate(from);
            Model.Forget();
        } else if (Model.MoveAll) {
            for (int n = Model.Count(from); n > 0; --n)
                Model.MoveTop(from, to);
            Model.Forget();
        } else {
            Model.MoveUndoably(from, to);
        }
        Model.Modified = true;
        TouchHex(from);
        TouchHex(to);
        if (Active(q))
            StatusAt = q;
    }
    void DragToOtherHex() {
        const auto [from, p] = StackInView(Model.LeftMode, KVKWindow::ModeMoveId);
        const int to = VisibleHex(from, Chance(40));
        if (to < 0)
            return Log("drag from " + HexGrid::Named(from) + ": no hex to drop on");
        DragAndDrop(from, p, *PointIn(to));
    }
    /** Let go anywhere in the window, the band and the corners between hexes included. */
    void DragToAnyPoint() {
        const auto [from, p] = StackInView(Model.LeftMode, KVKWindow::ModeMoveId);
        DragAndDrop(from, p, Chance(20) ? BandPoint() : AnyClientPoint());
    }
    void DragOntoItsOwnHex() {
        const auto [hex, p] = StackInView(Model.LeftMode, KVKWindow::ModeMoveId);
        DragAndDrop(hex, p, *PointIn(hex));
    }
    /** A drag let go outside the window moves nothing; the last move stays the one to undo. */
    void DragOutOfTheWindow() {
        const auto [hex, p] = StackInView(Model.LeftMode, KVKWindow::ModeMoveId);
        const TRect c = Window.GetClientRect();
        const TPoint out = Chance(50) ? TPoint(c.right + Between(1, 60), Between(0, c.bottom))
                                      : TPoint(Between(0, c.right), c.bottom + Between(0, 60));
        Log("drag " + HexGrid::Named(hex) + " out of the window");
        Player.Drag(p, out, Between(1, 4));
        TouchHex(hex);
    }
    /**
     * A left press on an empty hex forgets the last move; a right one changes nothing, but in
     * Show Combat shows the combats against the hex, if any.
     */
    void PressOnEmptyHex() {
        const int hex = VisibleHex(-1, false, true);
        if (hex < 0)
            return Log("click on an empty hex: none in view");
        const TPoint p = *PointIn(hex);
        const bool right = Chance(50);
        Log(std::string(right ? "right" : "left") + " click on empty " + HexGrid::Named(hex));
        Met(right ? "right click on an empty hex" : "left click on an empty hex");
        if (right && Model.RightMode == KVKWindow::ModeShowCombatId)
            ExpectCombatsShownAt(hex);
        Player.Click(p, right ? Qt::RightButton : Qt::LeftButton);
        if (!right)
            Model.Forget();
        TouchHex(hex);
        StatusAt = p;
    }
    /** Left presses within the band along the right and bottom edges do nothing at all. */
    void PressInTheBand() {
        const TPoint p = BandPoint();
        Log("left click in the band at " + Text(p));
        Player.Click(p);
    }
    void ReturnToStart() {
        const auto [from, p] = StackInView(Model.LeftMode, KVKWindow::ModeReturnId);
        const int unit = Model.Top(from);
        const int to = Model.Units[std::size_t(unit)].StartIndex;
        Log("return unit " + std::to_string(unit) + " " + HexGrid::Named(from) + " -> " +
            HexGrid::Named(to));
        if (from == to)
            Met("return on its start hex");
        Player.Click(p);
        Model.MoveUndoably(from, to);
        TouchHex(from);
        TouchHex(to);
        StatusAt = p;
    }
    void RightClickOnStack(int mode) {
        const auto [hex, p] = StackInView(Model.RightMode, mode);
        Log((mode == KVKWindow::ModeRotateId ? "rotate " : "mark top of ") + HexGrid::Named(hex));
        Player.Click(p, Qt::RightButton);
        if (mode == KVKWindow::ModeRotateId)
            Model.Rotate(hex);
        else
            Model.CycleMark(hex);
        Model.Forget();
        Model.Modified = true;
        TouchHex(hex);
        StatusAt = p;
    }
    void RotateStack() { RightClickOnStack(KVKWindow::ModeRotateId); }
    void MarkStack() { RightClickOnStack(KVKWindow::ModeMarkId); }
    void UndoOrDrag() {
        if (!Model.CanUndo()) {
            // As a stray shortcut might: with nothing to take back, the handler changes nothing.
            Window.CmUndoMove();
            Met("undo with nothing to undo");
            return DragToOtherHex();
        }
        if (Model.UndoTo == Model.UndoFrom)
            Met("undo within one hex");
        Log("undo: top of " + HexGrid::Named(Model.UndoTo) + " back to " +
            HexGrid::Named(Model.UndoFrom));
        EXPECT_TRUE(Player.Command(KVKWindow::UndoMoveId)) << "Undo Last Move is not enabled";
        Model.MoveTop(Model.UndoTo, Model.UndoFrom);
        TouchHex(Model.UndoTo);
        TouchHex(Model.UndoFrom);
        Model.Forget();
        Model.Modified = true;
    }
    void ToggleMoveAll() {
        Log(Model.MoveAll ? "Move All off" : "Move All on");
        Player.Command(KVKWindow::MoveAllId);
        Model.MoveAll = !Model.MoveAll;
    }

    // ---- Combats -------------------------------------------------------------------------

    /**
     * Queues the work of the combat dialog, chosen at random: the odds or none, now and then a
     * modifier, the bone, the comment, and the answers to the questions on the way. Returns
     * what the combat must then record, but for the die.
     */
    CombatStruct ResolveInDialog(int hex) {
        // The first odds button is checked already: it only counts once another was chosen.
        const int odds = Between(0, OddsTable::Count); // 0: the odds group untouched
        const int button =
            OddsTable::FirstControlId + (odds == 1 ? Between(1, OddsTable::Count - 1) : odds - 1);
        const int modifier = Chance(40) ? Between(0, 5) : -1;
        const bool closeBeforeRoll = Chance(5), shortFirst = Chance(5), cancelFirst = Chance(20);
        std::string comment;
        for (int i = Chance(10) ? Between(62, 75) : Between(2, 30); i > 0; --i)
            comment += CommentLetters[Between(0, int(std::strlen(CommentLetters)) - 1)];
        Log("combat against " + HexGrid::Named(hex) + ", odds " + std::to_string(odds) +
            ", comment \"" + comment + "\"");
        Hooks.DriveDialog(CombatScript::Dialog, [=, this](DialogDriver& d) {
            if (closeBeforeRoll) {
                Hooks.AnswerMessageBox(IDOK); // "A bone must be Cast"
                d.Click(CombatScript::CloseButton);
            }
            if (odds > 0)
                d.Click(button);
            if (odds == 1)
                d.Click(OddsTable::FirstControlId);
            if (modifier >= 0)
                d.Click(CombatDlg::FirstModifierId + modifier);
            d.Click(CombatScript::BoneButton);
            if (shortFirst) {
                d.Type(CombatScript::CommentEdit, comment.substr(0, 1));
                if (odds <= 1)
                    Hooks.AnswerMessageBox(IDOK); // "Is it really a 1:6 attack?"
                Hooks.AnswerMessageBox(IDOK);     // "Need Coments To Continue"
                d.Click(CombatScript::CloseButton);
            }
            d.Type(CombatScript::CommentEdit, comment);
            if (odds <= 1 && cancelFirst) {
                Hooks.AnswerMessageBox(IDCANCEL);
                d.Click(CombatScript::CloseButton);
            }
            if (odds <= 1)
                Hooks.AnswerMessageBox(IDOK);
            d.Click(CombatScript::CloseButton);
            EXPECT_FALSE(d.IsOpen()) << "the combat dialog did not close";
        });
        // The comment edit keeps what was typed into it, the letter typed alone first too.
        const std::string typed = (shortFirst ? comment.substr(0, 1) : "") + comment;
        return {odds ? OddsTable::Classes()[std::size_t(odds - 1)].StoredText : "Combat odds : ",
                "", typed.substr(0, CommentLimit), hex};
    }
    /** The occupied hexes among these and those above, below and beside them. */
    std::vector<int> NearHexes(const std::vector<int>& hexes) const {
        std::vector<int> near;
        for (int hex : hexes) {
            const int column = hex / HexGrid::Rows, row = hex % HexGrid::Rows;
            for (const auto& [dc, dr] : {std::pair(0, 0), std::pair(0, 1), std::pair(0, -1),
                                         std::pair(1, 0), std::pair(-1, 0)}) {
                const int c = column + dc, r = row + dr;
                if (c >= 0 && c < HexGrid::Columns && r >= 0 && r < HexGrid::Rows &&
                    Model.Count(c * HexGrid::Rows + r) > 0)
                    near.push_back(c * HexGrid::Rows + r);
            }
        }
        return near;
    }
    /** Hexes with combats against them, declared or received. */
    std::vector<int> AttackedHexes(bool declaredOnly = false) const {
        std::vector<int> hexes;
        for (const auto* list : {&Model.Declared, &Model.Received})
            for (const CombatRecord& c : *list)
                if (c.Data.HexIndex >= 0 && c.Data.HexIndex < HexGrid::HexCount &&
                    (!declaredOnly || list == &Model.Declared))
                    hexes.push_back(c.Data.HexIndex);
        return hexes;
    }
    /**
     * An occupied hex to attack: often one attacked before or a neighbour of one, mostly around
     * this turn's combats, so that the markers of a hex pile up and reach those around it.
     */
    int CombatTarget() {
        const std::vector<int> near =
            NearHexes(AttackedHexes(!Model.Declared.empty() && Chance(70)));
        return !near.empty() && Chance(75) ? OneOf(near) : RandomUnitHex();
    }
    void DeclareCombat() {
        const bool onEmpty = Chance(10);
        Mode(Model.LeftMode, KVKWindow::ModeCombatId);
        // A battle: one combat after another against a hex (most often) and those around it.
        std::vector<int> battle = NearHexes({Battle});
        if (Model.Count(Battle) > 0)
            battle.push_back(Battle);
        int hex = -1;
        if (onEmpty) {
            hex = VisibleHex(-1, false, true);
            if (hex < 0)
                return Log("combat on an empty hex: none in view");
        } else if (BattleLeft > 0 && !battle.empty()) {
            --BattleLeft;
            hex = OneOf(battle);
        } else {
            BattleLeft = 0;
            hex = CombatTarget();
            if (Chance(15)) {
                Battle = hex;
                BattleLeft = Between(3, 10);
            }
        }
        ScrollToShow(hex);
        const TPoint p = *PointIn(hex);
        Model.Forget();
        StatusAt = p;
        if (onEmpty) {
            Log("combat click on empty " + HexGrid::Named(hex));
            return Player.Click(p);
        }
        CombatStruct combat = ResolveInDialog(hex);
        const auto& declared = static_cast<CaECombats&>(Window.Map().Combats()).Declared();
        const std::size_t before = declared.size();
        Player.Click(p);
        Model.Modified = true;
        // The die is the program's to roll; the model takes the digit and expects all else.
        combat.DieRoll = declared.size() == before + 1 ? declared.front()->Data.DieRoll : "";
        if (combat.DieRoll.size() != 1 || combat.DieRoll[0] < '1' || combat.DieRoll[0] > '6') {
            ADD_FAILURE() << "the combat against " << HexGrid::Named(hex)
                          << " was not declared with a die roll (\"" << combat.DieRoll << "\")";
            return;
        }
        Model.Declare(combat);
        Touched.emplace_back(Model.Declared.front().MarkerPosition, TSize(8, 8));
        TouchHex(hex);
    }
    /** Queues a driver for the result dialog of every combat against the hex, in list order. */
    void ExpectCombatsShownAt(int hex) {
        for (const auto* list : {&Model.Declared, &Model.Received})
            for (const CombatRecord& c : *list)
                if (c.Data.HexIndex == hex)
                    Hooks.DriveDialog(CombatShowDlg::TemplateId, [data = c.Data](DialogDriver& d) {
                        EXPECT_EQ(d.Text(CombatShowDlg::DieTextId), data.DieRoll);
                        EXPECT_EQ(d.Text(CombatShowDlg::OddsTextId), data.Odds);
                        // The sample turn's comments may hold letters the dialog shows decoded.
                        if (data.Comments.find_first_not_of(CommentLetters) == std::string::npos) {
                            EXPECT_EQ(d.Text(CombatShowDlg::CommentTextId), data.Comments);
                        }
                        d.Click(IDCANCEL);
                    });
    }
    void ShowCombat() {
        const std::vector<int> attacked = AttackedHexes();
        const int hex = !attacked.empty() && Chance(80) ? OneOf(attacked) : RandomUnitHex();
        Mode(Model.RightMode, KVKWindow::ModeShowCombatId);
        ScrollToShow(hex);
        const std::optional<TPoint> p = PointIn(hex);
        if (!p)
            return Log("show combats of " + HexGrid::Named(hex) + ": not in view");
        Log("show combats of " + HexGrid::Named(hex));
        ExpectCombatsShownAt(hex);
        Player.Click(*p, Qt::RightButton);
        StatusAt = *p;
    }
    void ShowAll() {
        Log("Show All");
        Player.Command(KVKWindow::ShowAllId);
        if (Model.Zoomed)
            Met("markers shown while zoomed");
        Model.ShowAllMarkers();
        TouchAll();
    }
    void ClearAll() {
        Log("Clear All");
        Player.Command(KVKWindow::ClearAllId);
        if (Model.Zoomed)
            Met("markers cleared while zoomed");
        Model.Shown.clear();
        TouchAll();
    }

    // ---- The view ------------------------------------------------------------------------

    void Zoom() {
        Log(Model.Zoomed ? "zoom off" : "zoom on");
        Player.Command(KVKWindow::ZoomId);
        Model.Zoomed = !Model.Zoomed;
    }
    /**
     * Zoomed, the board takes no presses; a left press in the active area only forgets the
     * last move. The status bar names the hex at the point the pointer rests on.
     */
    void PressWhileZoomed() {
        const TPoint p = AnyClientPoint(), q = AnyClientPoint();
        const bool right = Chance(50);
        Log(right ? "zoomed right click at " + Text(p)
                  : "zoomed drag " + Text(p) + " to " + Text(q));
        if (right) {
            Player.Click(p, Qt::RightButton);
        } else {
            Player.Drag(p, q, Between(1, 4));
            if (Active(p))
                Model.Forget();
        }
        if (Active(right ? p : q))
            StatusAt = right ? p : q;
    }
    /** Scrolls with the scroll bars, the wheel (across with Shift) or the keys. */
    void ScrollSomewhere() {
        const int how = Between(1, 4);
        if (how == 1) {
            const TRect c = Window.GetClientRect();
            const int x = Between(0, std::max(0, Window.Map().MapWidth() - c.Width()));
            const int y = Between(0, std::max(0, Window.Map().MapHeight() - c.Height()));
            Log("scroll to " + Text(TPoint(x, y)));
            Window.ScrollTo(x, y);
        } else if (how == 2) {
            const bool across = Chance(50);
            const int notches = Between(-4, 4);
            Log("wheel " + std::to_string(notches) + (across ? " across" : " down"));
            Player.Wheel(AnyClientPoint(), notches, across ? Qt::ShiftModifier : Qt::NoModifier);
        } else {
            const Qt::Key key = OneOf<Qt::Key>({Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Left,
                                                Qt::Key_Right, Qt::Key_Up, Qt::Key_Down});
            Log("key " + QKeySequence(key).toString().toStdString());
            Player.Key(key);
        }
        QCoreApplication::processEvents();
    }
    void Resize() {
        const TSize s = OneOf<TSize>({{800, 600}, {1024, 720}, {1300, 900}, {640, 480}});
        Log("resize to " + std::to_string(s.cx) + "x" + std::to_string(s.cy));
        Player.Widget()->resize(s.cx, s.cy);
        QCoreApplication::processEvents();
    }

    // ---- Files ---------------------------------------------------------------------------

    /**
     * Answers the save sequence: end of turn or not, then the file dialog with one of a few
     * names, the turn's own included, now and then a folder that does not exist. Whether the
     * save is to complete.
     */
    bool AnswerSave(bool endOfTurn) {
        const std::string kind = endOfTurn ? "end of turn" : "part way";
        Hooks.AnswerMessageBox(endOfTurn ? IDYES : IDNO);
        if (Chance(5)) {
            Hooks.CancelFileDialog();
            Log("save (" + kind + "), dialog cancelled");
            return false;
        }
        const bool writable = !Chance(4);
        const std::string name =
            writable ? OneOf<std::string>({"turn1.kvk", "turn2.kvk", "turn3.kvk", "opening.kvk"})
                     : "missing/turn.kvk";
        Hooks.AnswerFileDialog(Dir.Path(name));
        Log("save (" + kind + ") as " + name);
        if (!writable) {
            Hooks.AnswerMessageBox(IDOK); // "The turn was not saved."
            return false;
        }
        Pending = Model.Saved(Dir.Path(name), endOfTurn);
        return true;
    }
    /** After a completed save its files hold the model's turn, which the board now shows. */
    void CheckSave() {
        if (!Pending)
            return;
        Checks.SavedFiles(*Pending);
        Model.SavedTurns[Pending->Name] = Pending->Files;
        Model.Open(Pending->Files);
        Pending.reset();
        TouchAll();
    }
    void Save(bool endOfTurn) {
        if (Chance(4)) {
            Log("save, cancelled at the end-of-turn question");
            Hooks.AnswerMessageBox(IDCANCEL);
        } else {
            AnswerSave(endOfTurn);
        }
        Player.Command(KVKWindow::SaveTurnId);
        CheckSave();
    }
    void SaveMidTurn() { Save(false); }
    void SaveEndOfTurn() { Save(true); }
    /**
     * Answers the question before unsaved work is left (if there is any): Cancel, Yes with the
     * save's answers, or No. Whether the work is left then: not after Cancel, nor when the
     * save does not complete.
     */
    bool AnswerUnsavedWork(const std::string& before, int cancel, int save) {
        const int roll = Between(1, 100);
        if (!Model.Modified)
            return true;
        if (roll <= cancel) {
            Log(before + ": cancelled at the question");
            Hooks.AnswerMessageBox(IDCANCEL);
            return false;
        }
        if (roll <= cancel + save) {
            Hooks.AnswerMessageBox(IDYES);
            return AnswerSave(Chance(50));
        }
        Log(before + ": not saved");
        Hooks.AnswerMessageBox(IDNO);
        return true;
    }
    void OpenTurn() {
        if (!AnswerUnsavedWork("open", 15, 20))
            return (void)Player.Command(KVKWindow::OpenTurnId);
        const int roll = Between(1, 100);
        std::string name;
        if (roll <= 8) {
            Hooks.CancelFileDialog();
        } else if (roll <= 12) {
            name = Dir.Path("nowhere.kvk");
            Hooks.AnswerFileDialog(name);
            Hooks.AnswerMessageBox(IDOK); // "Failed to open a '.kvk' file."
        } else {
            name = std::next(Model.SavedTurns.begin(), Between(0, int(Model.SavedTurns.size()) - 1))
                       ->first;
            Hooks.AnswerFileDialog(name);
        }
        Log("open " + (name.empty() ? "(cancelled)" : name.substr(name.rfind('/') + 1)));
        Player.Command(KVKWindow::OpenTurnId);
        CheckSave(); // a save first, if one was asked for
        Model.Zoomed = false;
        if (roll > 12) {
            Model.Open(Model.SavedTurns[name]);
            TouchAll();
        }
    }
    /** The frame asks before the program closes: with unsaved work, whether to save it. */
    void AskToClose() {
        const bool closes = AnswerUnsavedWork("close", 40, 30);
        EXPECT_EQ(Window.CanClose(), closes) << "whether the program may close";
        CheckSave();
    }

    // ---- Choosing ------------------------------------------------------------------------

    void Met(const char* what) { ++Played[what]; }
    /** Plays one action and counts it. */
    void Play(const char* name, void (SoakPlayer::*action)()) {
        (this->*action)();
        ++Played[name];
    }
    KVKWindow& Window;
    MapWindowDriver Player;
    ModalHooks& Hooks;
    const TestDir& Dir;
    GameModel& Model;
    const SoakChecks& Checks;
    std::mt19937 Rng;
    std::optional<GameModel::Save> Pending; // a save answered, not yet made
    int Battle = 0;                         // the hex a battle is fought around
    int BattleLeft = 0;                     // combats still to come in it
    long Index = 0;
    std::deque<std::string> Recent;
    std::map<std::string, int> Played;
};
