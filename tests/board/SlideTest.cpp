// The slide of Return to Start: steps, capture, hidden cursor and the drag image, seen
// through a window that records what the board asks of it.
#include "BoardFixture.h"
#include "ShowCursor.h"

#include <gtest/gtest.h>

namespace {

class RecordingWindow : public TWindow {
public:
    void SetCapture() override { Captured = true; }
    void ReleaseCapture() override { Captured = false; }
    void UpdateWindow() override { ++Updates; }
    void InvalidateRect(const TRect& r, bool erase) override {
        Invalidated.push_back(r);
        EXPECT_FALSE(erase);
    }
    void SetDragImage(const TBitmap* image, const TPoint& at, const TColor&) override {
        if (image) {
            Positions.push_back(at);
            ImageWidth = image->Width();
            EXPECT_TRUE(Captured);
        } else {
            Cleared = true;
        }
    }
    HINSTANCE GetModule() const override { return Module; }

    HINSTANCE Module = nullptr;
    bool Captured = false, Cleared = false;
    int Updates = 0, ImageWidth = 0;
    std::vector<TPoint> Positions;
    std::vector<TRect> Invalidated;
};

class SlideTest : public BoardFixture {
protected:
    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        Window.Module = &Pictures.Module();
        Board = std::make_unique<KVKMap>(&Window, &Pictures.Module(), Pictures.MapFile().c_str(),
                                         &FakeCombatList::Make);
    }
    RecordingWindow Window;
};

TEST_F(SlideTest, slideStepsFromTheHexTowardsTheStartAndCleansUp) {
    Load({{3, 64, 0, 0}}); // on hex 64 (origin (70, 20)), started on hex 0 (origin (0, 20))
    const int cursorCount = ShowCursor(true) - 1;
    ShowCursor(false);
    const TPoint scroll(10, 0);
    Board->ReturnToStart(TPoint(75, 30) - scroll, scroll, BoardFixture::Window);

    // 120 positions from the source, one step short of the destination, hot spot at the
    // picture's centre; the image is 20 pixels wide.
    ASSERT_EQ(Window.Positions.size(), 121u); // the entry, then 120 moves
    EXPECT_EQ(Window.Positions.front(), TPoint(60 - 12, 20 - 12));
    EXPECT_EQ(Window.Positions[1], TPoint(60 - 12, 20 - 12));
    const float step = 70.0f / 120;
    EXPECT_EQ(Window.Positions.back(), TPoint(int(60.0f - 119 * step) - 12, 20 - 12));
    EXPECT_EQ(Window.ImageWidth, 20);
    EXPECT_GE(Window.Updates, 120);
    EXPECT_FALSE(Window.Captured);
    EXPECT_TRUE(Window.Cleared);
    ASSERT_EQ(Window.Invalidated.size(), 2u);
    EXPECT_EQ(Window.Invalidated[0], TRect(0, 0, 24, 24));
    EXPECT_EQ(ShowCursor(true) - 1, cursorCount); // the cursor shows again
    ShowCursor(false);
    EXPECT_EQ(UnitsIn(0), std::vector<int>{3});
}

} // namespace
