// The map picture held off screen: loading, 1:1 painting at a scroll offset, stretching.
#include "BareBoard.h"
#include "MapBoard.h"
#include "TXBadFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t PixelAt(int x, int y) {
    return std::uint32_t(x * 3 + y * 1000) & 0xffffff;
}

class MapSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::uint32_t> px;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                px.push_back(PixelAt(x, y));
        dir.Write("map.bmp", BmpBytes::Rgb24(120, 90, px));
    }
    TestDir dir;
    TModule module{dir.Path("none")};
};

TEST_F(MapSurfaceTest, sizeComesFromThePicture) {
    BareBoard board(&module, dir.Path("map.bmp").c_str());
    EXPECT_EQ(board.MapWidth(), 120);
    EXPECT_EQ(board.MapHeight(), 90);
    EXPECT_EQ(board.MapRect(), TRect(0, 0, 120, 90));
    EXPECT_EQ(board.Module(), &module);
    EXPECT_EQ(board.MapSurface().GetPixel(7, 5), TColor::FromPixel(PixelAt(7, 5)));
}

TEST_F(MapSurfaceTest, paintMapShowsTheSurfaceAtTheScrollOffset) {
    BareBoard board(&module, dir.Path("map.bmp").c_str());
    TBitmap window(50, 40);
    TMemoryDC dc(window);
    dc.SetWindowOrg({30, 20}); // the window scrolled to (30, 20)
    board.PaintMap(dc);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(window.GetPixel(x, y), TColor::FromPixel(PixelAt(x + 30, y + 20)));

    // Scrolled near the end: the part past the map is left alone.
    TBitmap edge(50, 40);
    TMemoryDC edgeDc(edge);
    edgeDc.SetWindowOrg({100, 80});
    board.PaintMap(edgeDc);
    EXPECT_EQ(edge.GetPixel(19, 9), TColor::FromPixel(PixelAt(119, 89)));
    EXPECT_EQ(edge.GetPixel(20, 9), TColor::Black);
    EXPECT_EQ(edge.GetPixel(19, 10), TColor::Black);
}

TEST_F(MapSurfaceTest, paintMapScaledFillsTheRectangle) {
    BareBoard board(&module, dir.Path("map.bmp").c_str());
    TBitmap window(60, 30);
    TMemoryDC dc(window);
    board.PaintMapScaled(dc, {0, 0, 60, 30});
    // Width halved and height divided by three, independently.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor c = window.GetPixel(x, y);
            bool found = false;
            for (int dy = 0; dy < 3 && !found; ++dy)
                for (int dx = 0; dx < 2 && !found; ++dx)
                    found = c == TColor::FromPixel(PixelAt(2 * x + dx, 3 * y + dy));
            ASSERT_TRUE(found) << x << "," << y;
        }
}

TEST_F(MapSurfaceTest, missingOrDamagedPictureRaisesNamingTheFile) {
    const std::string missing = dir.Path("kvkmap.bmp");
    EXPECT_THROW(BareBoard(&module, missing.c_str()), TXBadFile);
    dir.Write("broken.bmp", dir.Read("map.bmp").substr(0, 500));
    try {
        BareBoard board(&module, dir.Path("broken.bmp").c_str());
        FAIL() << "no exception";
    } catch (const TXBadFile& e) {
        EXPECT_EQ(e.FileName, dir.Path("broken.bmp"));
    }
}

} // namespace
