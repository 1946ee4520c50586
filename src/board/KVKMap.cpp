#include "KVKMap.h"

#include "BusyCursor.h"
#include "ShowCursor.h"
#include "TImageList.h"
#include "UnitRoster.h"

#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <thread>

std::chrono::milliseconds KVKMap::SlideDuration{300};

KVKMap::KVKMap(TWindow* window, HINSTANCE module, const char* mapFileName,
               CombatListFactory makeCombats)
    : MapBoard(module, mapFileName),
      FileData(TOpenSaveData::OverwritePrompt | TOpenSaveData::ExtensionDifferent |
                   TOpenSaveData::NoTestFileCreate,
               "KVK Unit Files (*.kvk) | *.kvk", "kvk"),
      MakeCombats(std::move(makeCombats)), Window(window) {
    if (!MakeCombats)
        throw std::invalid_argument("a game board needs a maker of its combat list");
    Hex::SetBackgroundSize(BodyWidth, BodyHeight);
    Hexes.reserve(HexCount);
    for (int i = 0; i < HexCount; ++i)
        Hexes.push_back(std::make_unique<Hex>(HexOrigin(i)));
    CombatsList = NewCombatList();
    std::srand(unsigned(std::time(nullptr)));
}

// The hexes go first (they only refer to counters), then the counters, then the combats,
// whose markers put the map back under them while the map surface still exists.
KVKMap::~KVKMap() {
    Hexes.clear();
    for (auto& counter : Counters)
        counter.reset();
    CombatsList.reset();
}

std::unique_ptr<CombatList> KVKMap::NewCombatList() {
    HINSTANCE module = Window ? Window->GetModule() : Module();
    return MakeCombats(Window, module, &MapSurface());
}

bool KVKMap::HasCounters(const TPoint& mapPoint) {
    return HexUnder(mapPoint).Count() > 0;
}

TResId KVKMap::TopCounterPicture(const TPoint& mapPoint) {
    return HexUnder(mapPoint).TopPicture();
}

bool KVKMap::TopCounterHasMoved(const TPoint& mapPoint) {
    return HexUnder(mapPoint).TopHasMoved();
}

bool KVKMap::TopCounterCanMove(const TPoint& mapPoint) {
    return HexUnder(mapPoint).TopCanMove();
}

TPoint KVKMap::StackSpread(int hex, int delta) const {
    const int n = Hexes[std::size_t(hex)]->Count() + delta;
    int dy = 0;
    if (n == 2)
        dy = 15;
    else if (n == 3)
        dy = 7;
    else if (n == 4 || n == 5)
        dy = 3;
    else if (n >= 6 && n <= 8)
        dy = 2;
    else if (n >= 9 && n <= 15)
        dy = 1;
    return {0, dy};
}

void KVKMap::Transfer(Hex& from, Hex& to, const TPoint& scroll, TDC& dc) {
    const int fromIndex = HexAt(from.GetOrigin()), toIndex = HexAt(to.GetOrigin());
    // A counter taken off a stack and put back on the same one leaves it as many as it was:
    // the whole move keeps the stack's own spread.
    const bool sameHex = &from == &to;
    const TPoint spreadTo = StackSpread(toIndex, sameHex ? 0 : +1);
    const TPoint spreadFrom = StackSpread(fromIndex, sameHex ? 0 : -1);
    Counter* moved = from.TakeTop(Module(), MapSurface(), dc, spreadFrom, scroll);
    if (moved)
        to.Place(moved, Module(), MapSurface(), dc, spreadTo, scroll);
}

bool KVKMap::MoveTopCounter(const TPoint& from, const TPoint& to, const TPoint& scroll, TDC& dc) {
    Hex& source = HexUnder(from);
    if (source.Count() == 0 || !source.TopCanMove())
        return false;
    Transfer(source, HexUnder(to + scroll), scroll, dc);
    return true;
}

void KVKMap::MoveAll(const TPoint& from, const TPoint& to, const TPoint& scroll, TDC& dc) {
    const int attempts = HexUnder(from).Count();
    for (int i = 0; i < attempts; ++i)
        if (!MoveTopCounter(from, to, scroll, dc))
            RotateStack(from - scroll, scroll, dc);
}

void KVKMap::TransferTopCounter(const TPoint& from, const TPoint& to, const TPoint& scroll,
                                TDC& dc) {
    Hex& source = HexUnder(from);
    if (source.Count() == 0)
        return;
    Transfer(source, HexUnder(to), scroll, dc);
}

TPoint KVKMap::ReturnToStart(const TPoint& p, const TPoint& scroll, TDC& dc) {
    Hex& source = HexUnder(p + scroll);
    if (source.Count() == 0 || !source.TopCanMove())
        return NoPoint;
    const int target = HexAt(source.TopStart());
    const TPoint from = source.GetOrigin() - scroll;
    const TPoint to = HexOrigin(target) - scroll;
    AnimateSlide(source.TopPicture(), from.x, from.y, to.x, to.y);
    Transfer(source, HexAtIndex(target), scroll, dc);
    return HexOrigin(target);
}

void KVKMap::RotateStack(const TPoint& p, const TPoint& scroll, TDC& dc) {
    const int h = HexAt(p + scroll);
    Hex& hex = HexAtIndex(h);
    if (hex.Count() > 0)
        hex.Rotate(Module(), MapSurface(), dc, StackSpread(h, 0), scroll);
}

void KVKMap::CycleMark(const TPoint& p, const TPoint& scroll, TDC& dc) {
    const int h = HexAt(p + scroll);
    Hex& hex = HexAtIndex(h);
    if (hex.Count() > 0)
        hex.CycleTopMark(Module(), MapSurface(), dc, StackSpread(h, 0), scroll);
}

void KVKMap::AnimateSlide(TResId picture, int fromX, int fromY, int toX, int toY) {
    if (!Window)
        return;
    const int w = Module()->GetBitmap(picture).Width();
    TImageList image(Module(), picture, 20, 1, TColor(0u));
    const float stepX = float(fromX - toX) / SlideSteps;
    const float stepY = float(fromY - toY) / SlideSteps;

    ShowCursor(false);
    Window->SetCapture();
    Window->InvalidateRect(TRect(0, 0, w, w), false);
    Window->UpdateWindow();
    image.BeginDrag(0, w / 2, w / 2);
    image.DragEnter(*Window, fromX, fromY);
    // Paced by the clock rather than by spinning, so the slide takes the same time on any
    // processor; the last position lies one step short of the destination.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < SlideSteps; ++i) {
        image.DragMove(int(float(fromX) - float(i) * stepX), int(float(fromY) - float(i) * stepY));
        Window->UpdateWindow();
        std::this_thread::sleep_until(start + SlideDuration * (i + 1) / SlideSteps);
    }
    image.DragLeave(*Window);
    image.EndDrag();
    Window->ReleaseCapture();
    ShowCursor(true);
    Window->InvalidateRect(TRect(0, 0, w, w), false);
}

void KVKMap::ClearBoard() {
    if (!TurnLoaded)
        return;
    for (auto& hex : Hexes) {
        hex->EraseOn(MapSurface());
        hex->Clear();
    }
    for (auto& counter : Counters)
        counter.reset();
    CombatsList.reset(); // the old markers go first, restoring the map under them
    CombatsList = NewCombatList();
    TurnLoaded = false;
}

void KVKMap::DeclareCombat(TDC& dc, const TPoint& scroll, const TPoint& mapPoint) {
    CombatsList->Declare(dc, scroll, HexAt(mapPoint));
}

void KVKMap::ShowAllCombats(TDC& dc, const TPoint& scroll) {
    WithCapture(&CombatList::ShowAll, dc, scroll);
}

void KVKMap::ClearAllCombats(TDC& dc, const TPoint& scroll) {
    WithCapture(&CombatList::ClearAll, dc, scroll);
}

void KVKMap::WithCapture(void (CombatList::*markers)(TDC&, const TPoint&), TDC& dc,
                         const TPoint& scroll) {
    // Every marker is drawn before the player can act again: the wait cursor shows and the
    // mouse stays with the window meanwhile.
    BusyCursor busy;
    if (Window)
        Window->SetCapture();
    (CombatsList.get()->*markers)(dc, scroll);
    if (Window)
        Window->ReleaseCapture();
}

void KVKMap::ShowCombatAt(int hexIndex) {
    CombatsList->ShowResults(hexIndex);
}

std::vector<TResId> KVKMap::CounterPictures() {
    std::vector<TResId> pictures;
    for (int unit = 0; unit < Units; ++unit)
        if (pictures.empty() || int(pictures.back()) != PictureOfUnit(unit))
            pictures.push_back(PictureOfUnit(unit)); // the last units share one picture
    for (int mark = Counter::Surrendered; mark <= Counter::Replacement; ++mark)
        pictures.push_back(Counter::MarkPictureBase + mark);
    return pictures;
}

bool KVKMap::LoadCounters(const std::array<CounterRecord, Units>& records) {
    ClearBoard();
    for (const CounterRecord& r : records)
        if (r.HexIndex < 0 || r.HexIndex >= HexCount || r.StartIndex < 0 ||
            r.StartIndex >= HexCount || r.Mark < Counter::NoMark || r.Mark > Counter::Replacement)
            return false;
    for (int i = 0; i < Units; ++i) {
        const CounterRecord& r = records[std::size_t(i)];
        Counters[std::size_t(i)] = std::make_unique<Counter>(
            HexOrigin(r.HexIndex), HexOrigin(r.StartIndex), r.Mark, PictureOfUnit(i));
        HexAtIndex(r.HexIndex).Add(Counters[std::size_t(i)].get());
    }
    TurnLoaded = true;
    AssignUnitLabels();
    return true;
}

void KVKMap::DrawLoadedTurn() {
    for (int h = 0; h < HexCount; ++h)
        if (HexAtIndex(h).Count() > 0)
            HexAtIndex(h).DrawOnSurface(Module(), MapSurface(), StackSpread(h, 0));
}

void KVKMap::AssignUnitLabels() {
    if (!TurnLoaded)
        return;
    for (int i = 0; i < Units; ++i)
        Counters[std::size_t(i)]->Label = std::string(UnitRoster::Label(i));
}

std::array<CounterRecord, KVKMap::Units> KVKMap::Records() const {
    std::array<CounterRecord, Units> records;
    if (!TurnLoaded)
        return records;
    // A counter's positions are always hex origins, which the coarse lookup maps back exactly.
    for (int i = 0; i < Units; ++i) {
        const Counter& c = *Counters[std::size_t(i)];
        records[std::size_t(i)] =
            CounterRecord(CoarseHexAt(c.Position), CoarseHexAt(c.Start), c.Mark);
    }
    return records;
}
