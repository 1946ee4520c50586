#pragma once

#include "CaECombats.h"
#include "GameModel.h"
#include "MapWindowDriver.h"
#include "MapWindowProbe.h"
#include "PixelCompare.h"
#include "TTextGadget.h"
#include "TestFiles.h"
#include "ZoomedMap.h"

#include <optional>
#include <tuple>

/**
 * The soak test's comparisons of the program with its model of the game, each naming the
 * first thing that differs: the stacks and units, the combats and the markers on the map,
 * the commands, the status bar, the map surface against a fresh drawing, the window against
 * the surface, and the files of a save.
 */
class SoakChecks {
public:
    SoakChecks(KVKWindow& window, const GameModel& model, const ModalHooks& hooks,
               const TBitmap& bareMap, const TTextGadget& hexField, const TTextGadget& moveField)
        : Window(window), Model(model), Hooks(hooks), BareMap(bareMap), HexField(hexField),
          MoveField(moveField) {}

    /**
     * Everything after an action: the surface is compared over the areas given (map
     * coordinates), the status bar if the pointer last rested at a client point that shows it.
     */
    void After(const std::vector<TRect>& areas, const std::optional<TPoint>& statusAt) {
        EXPECT_TRUE(Hooks.Clean()) << Hooks.Report();
        Stacks();
        Combats();
        Commands();
        if (statusAt)
            Status(*statusAt);
        for (const TRect& area : areas)
            Surface(area);
        ShownWindow();
    }

    /** The files of a completed save hold what the model says they must. */
    void SavedFiles(const GameModel::Save& save) const {
        const std::string base = save.Name.substr(0, save.Name.size() - 4);
        const auto units = TurnFormats::Units(TestDir::ReadFile(save.Name));
        const auto combats = TurnFormats::Combats(TestDir::ReadFile(base + ".cbt"));
        ASSERT_TRUE(units) << save.Name << " is no unit file";
        ASSERT_TRUE(combats) << base << ".cbt is no combat file";
        ExpectSame(*units, save.Files.Units, "unit file (hex/start/mark)");
        ExpectSame(*combats, save.Files.Combats, "combat file");
        // Every combat reaches the opponent with a marker of its own: markers of one hex stand
        // below each other, whether declared before a save part way or after it.
        for (std::size_t i = 0; i < combats->size(); ++i)
            for (std::size_t j = i + 1; j < combats->size(); ++j)
                EXPECT_FALSE((*combats)[i].MarkerPosition == (*combats)[j].MarkerPosition)
                    << "combats " << i << " and " << j
                    << " of the combat file share a marker place";
        EXPECT_EQ(TestDir::ReadFile(base + ".txt"), save.Report) << "the movement report";
    }

private:
    static std::string Text(const CounterRecord& r) {
        return std::to_string(r.HexIndex) + "/" + std::to_string(r.StartIndex) + "/" +
               std::to_string(r.Mark);
    }
    static std::string Text(const CombatRecord& c) {
        return "hex " + std::to_string(c.Data.HexIndex) + ", odds \"" + c.Data.Odds + "\", die \"" +
               c.Data.DieRoll + "\", comment \"" + c.Data.Comments + "\", marker " +
               std::to_string(c.MarkerPosition.x) + "," + std::to_string(c.MarkerPosition.y) +
               " picture " + std::to_string(c.MarkerImage);
    }
    /** The records agree in number and one by one; a failure names the first that differs. */
    template <class Records>
    static void ExpectSame(const Records& have, const Records& want, const std::string& what) {
        EXPECT_EQ(have.size(), want.size()) << "records in the " << what;
        for (std::size_t i = 0; i < std::min(have.size(), want.size()); ++i)
            if (!(have[i] == want[i])) {
                ADD_FAILURE() << what << ", record " << i << ": " << Text(have[i])
                              << " where the model has " << Text(want[i]);
                return;
            }
    }

    /** Every unit stands where the model has it, in its stack's order, at its hex's origin. */
    void Stacks() {
        KVKMap& board = Window.Map();
        for (int h = 0; h < HexGrid::HexCount; ++h) {
            const std::vector<Counter*>& counters = board.HexAtIndex(h).Counters();
            const std::vector<int> units = BoardProbe::UnitsIn(board, h);
            const std::vector<int>& model = Model.Stacks[std::size_t(h)];
            if (units != model || units.size() != counters.size()) {
                const auto listed = [](const std::vector<int>& list) {
                    std::string text;
                    for (int u : list)
                        text += " " + std::to_string(u);
                    return text;
                };
                ADD_FAILURE() << HexGrid::Named(h) << " holds " << counters.size()
                              << " counters, of units [" << listed(units)
                              << " ] where the model has [" << listed(model) << " ]";
                return;
            }
            for (const Counter* c : counters)
                if (!(c->Position == HexGrid::Origin(h)))
                    ADD_FAILURE() << "a counter in " << HexGrid::Named(h) << " stands at "
                                  << c->Position.x << "," << c->Position.y;
        }
        ExpectSame(board.Records(), Model.Units, "board's units (hex/start/mark)");
    }

    /** The combat lists hold the model's combats, and exactly the markers it shows are on. */
    void Combats() {
        const auto& combats = static_cast<CaECombats&>(Window.Map().Combats());
        std::vector<BoardProbe::MarkerPicture> stamped;
        const auto listed = [&](const std::list<std::unique_ptr<CaECombat>>& list) {
            std::vector<CombatRecord> records;
            for (const auto& c : list) {
                const Tagger* m = c->Marker.get();
                records.push_back(
                    {c->Data, m ? m->GetPosition() : TPoint(-1, -1), m ? m->GetImageId() : 0});
                if (m && m->IsStamped())
                    stamped.push_back({m->GetPosition(), m->GetImageId()});
            }
            return records;
        };
        ExpectSame(listed(combats.Declared()), Model.Declared, "declared combats");
        ExpectSame(listed(combats.Received()), Model.Received, "received combats");
        std::vector<BoardProbe::MarkerPicture> shown = Model.Shown;
        for (auto* markers : {&shown, &stamped})
            std::sort(markers->begin(), markers->end(), [](const auto& a, const auto& b) {
                return std::tie(a.Position.x, a.Position.y, a.Image) <
                       std::tie(b.Position.x, b.Position.y, b.Image);
            });
        EXPECT_TRUE(shown == stamped)
            << "the markers on the map (" << stamped.size()
            << ") are not the ones the model shows (" << shown.size() << ")";
    }

    void Commands() {
        const MapWindowDriver player(Window);
        const auto checked = [&](int id) {
            return player.Ask(id).GetCheck() == TCommandEnabler::Checked;
        };
        EXPECT_EQ(MapWindowProbe::Modified(Window), Model.Modified) << "unsaved changes";
        EXPECT_EQ(MapWindowProbe::Zoomed(Window), Model.Zoomed);
        EXPECT_EQ(player.Enabled(KVKWindow::UndoMoveId), Model.CanUndo()) << "Undo Last Move";
        EXPECT_EQ(checked(KVKWindow::MoveAllId), Model.MoveAll) << "Move All";
        EXPECT_EQ(checked(KVKWindow::ZoomId), Model.Zoomed) << "Zoom";
        EXPECT_EQ(MapWindowProbe::LeftMode(Window), Model.LeftMode) << "the left button's mode";
        EXPECT_EQ(MapWindowProbe::RightMode(Window), Model.RightMode) << "the right button's mode";
        EXPECT_FALSE(Window.IsDragging());
        // The cursor follows the left button's mode, and Move All in Move.
        const int mode = Model.LeftMode;
        EXPECT_EQ(Window.GetCursorId(), mode == KVKWindow::ModeReturnId   ? KVKWindow::ReturnCursor
                                        : mode == KVKWindow::ModeCombatId ? KVKWindow::CombatCursor
                                        : Model.MoveAll                   ? KVKWindow::MoveAllCursor
                                                                          : TResId(0))
            << "the cursor";
    }

    /** The status bar names the hex under the pointer and whether its top counter moved. */
    void Status(const TPoint& p) {
        const TSize map(BareMap.Width(), BareMap.Height());
        const TPoint m = Model.Zoomed ? ZoomedMap(Window.GetClientRect().Size(), map).PointedAt(p)
                                      : p + Window.GetScrollPos();
        const int hex = HexGrid::At(m);
        EXPECT_EQ(HexField.GetText(),
                  HexGrid::OnBoard(hex) ? "Hex : " + HexGrid::Label(hex) : "Off board")
            << "the pointer at " << p.x << "," << p.y << ", on map point " << m.x << "," << m.y;
        const int top = Model.Top(hex);
        EXPECT_EQ(MoveField.GetText(),
                  top < 0 ? " " : (Model.HasMoved(top) ? "Has Moved" : "Yet To Move"))
            << "over " << HexGrid::Named(hex);
    }

    /** The surface over an area of the map equals a fresh drawing of the model. */
    void Surface(const TRect& wanted) {
        const TBitmap& surface = *Window.Map().MapSurface().GetBitmap();
        const TRect area = wanted & TRect(0, 0, surface.Width(), surface.Height());
        if (area.IsEmpty())
            return;
        const TBitmap fresh = BoardProbe::FreshDrawingOf(Window.Map(), BareMap, area, Model.Shown);
        const auto drawn = PixelCompare::Same(area, surface, fresh, TPoint() - area.TopLeft());
        EXPECT_TRUE(drawn) << "the map surface against a fresh drawing of the model, near "
                           << HexGrid::Named(HexGrid::At(area.TopLeft()));
    }

    /** The window shows the surface: at the scroll position, or stretched while zoomed. */
    void ShownWindow() {
        QCoreApplication::processEvents();
        const TBitmap& client = *Window.GetClientBitmap();
        const TBitmap& surface = *Window.Map().MapSurface().GetBitmap();
        const ZoomedMap zoom(Window.GetClientRect().Size(),
                             TSize(BareMap.Width(), BareMap.Height()));
        const PixelCompare::Pixels stretched = [&](int x, int y) {
            const TPoint m = zoom.ShownAt(x, y);
            return surface.GetPixel(m.x, m.y);
        };
        const TRect all(0, 0, client.Width(), client.Height());
        const auto shown = Model.Zoomed
                               ? PixelCompare::Same(all, PixelCompare::Of(client), stretched)
                               : PixelCompare::Same(all, client, surface, Window.GetScrollPos());
        EXPECT_TRUE(shown) << "the window" << (Model.Zoomed ? " (zoomed)" : "")
                           << " against the map surface";
    }

    KVKWindow& Window;
    const GameModel& Model;
    const ModalHooks& Hooks;
    const TBitmap& BareMap;
    const TTextGadget& HexField;
    const TTextGadget& MoveField;
};
