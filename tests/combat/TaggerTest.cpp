// Combat markers on a memory map surface and a memory screen: exact save and restore of the
// 8 x 8 pixels under a marker, screen placement by scroll offset, and the marker's part of a
// combat-file record.
#include "Tagger.h"
#include "LittleEndianBytes.h"
#include "LittleEndianWriter.h"
#include "PixelCompare.h"
#include "TBitmap.h"
#include "TMemoryDC.h"
#include "TModule.h"
#include "TXBadFile.h"
#include "TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// Every marker picture pixel differs from every map and screen pixel, and from the other
// pictures' pixels.
std::uint32_t PicturePixel(int id, int x, int y) {
    return 0xC00000u | std::uint32_t(id - 8500) << 8 | std::uint32_t(x << 4 | y);
}

class TaggerTest : public ::testing::Test {
protected:
    TaggerTest() : MapBitmap(200, 150), ScreenBitmap(80, 64), Map(MapBitmap), Screen(ScreenBitmap) {
        for (int id : {8509, 8514, 8515}) {
            std::vector<std::uint32_t> px;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    px.push_back(PicturePixel(id, x, y));
            Dir.Write(std::to_string(id) + ".bmp", BmpBytes::Rgb24(8, 8, px));
        }
        Module = std::make_unique<TModule>(Dir.Path(""));
        Paint(MapBitmap, 0x010000);
        MapBefore = MapBitmap;
        Repaint({0, 0});
    }

    // The screen shows the map at the scroll offset, as the map window paints it; where the
    // map does not reach, the screen has a pattern of its own.
    void Repaint(const TPoint& scroll) {
        Paint(ScreenBitmap, 0x020000);
        Screen.BitBlt(0, 0, ScreenBitmap.Width(), ScreenBitmap.Height(), Map, scroll.x, scroll.y);
        ScreenBefore = ScreenBitmap;
    }

    static void Paint(TBitmap& b, std::uint32_t base) {
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                b.SetPixel(x, y, TColor::FromPixel(base | std::uint32_t(y << 8 | x)));
    }
    static ::testing::AssertionResult Same(const TBitmap& b, const TBitmap& before) {
        return PixelCompare::Same({0, 0, b.Width(), b.Height()}, b, before);
    }
    // Whether b shows picture id at (at.x, at.y) and equals before everywhere else.
    static ::testing::AssertionResult PictureOnly(const TBitmap& b, const TBitmap& before, int id,
                                                  const TPoint& at) {
        return PixelCompare::Same({0, 0, b.Width(), b.Height()}, PixelCompare::Of(b),
                                  [&](int x, int y) {
                                      const int px = x - at.x, py = y - at.y;
                                      return px >= 0 && px < 8 && py >= 0 && py < 8
                                                 ? TColor::FromPixel(PicturePixel(id, px, py))
                                                 : before.GetPixel(x, y);
                                  });
    }

    TestDir Dir;
    std::unique_ptr<TModule> Module;
    TBitmap MapBitmap;
    TBitmap ScreenBitmap;
    TMemoryDC Map;
    TMemoryDC Screen;
    TBitmap MapBefore{0, 0};
    TBitmap ScreenBefore{0, 0};
};

// On the screen the marker stands at its map point minus the scroll offset. Destroyed while
// stamped, a marker restores the map only.
TEST_F(TaggerTest, showTwiceThenHideRestoresMapAndScreenAndDestroyingRestoresTheMap) {
    for (const auto& [at, scroll] :
         {std::pair{TPoint{26, 46}, TPoint{10, 20}}, std::pair{TPoint{126, 86}, TPoint{100, 40}}}) {
        Repaint(scroll);
        auto marker = std::make_unique<Tagger>(at, 8509, Map, Module.get());
        EXPECT_EQ(marker->GetWidth(), 8);
        EXPECT_EQ(marker->GetHeight(), 8);
        for (int i = 0; i < 2; ++i) {
            marker->Show(Screen, scroll);
            EXPECT_TRUE(marker->IsStamped());
            EXPECT_TRUE(PictureOnly(MapBitmap, MapBefore, 8509, at));
            EXPECT_TRUE(PictureOnly(ScreenBitmap, ScreenBefore, 8509, at - scroll));
        }
        marker->Hide(Screen, scroll);
        EXPECT_FALSE(marker->IsStamped());
        EXPECT_TRUE(Same(MapBitmap, MapBefore));
        EXPECT_TRUE(Same(ScreenBitmap, ScreenBefore));
        marker->Show(Screen, scroll);
        marker.reset();
        EXPECT_TRUE(Same(MapBitmap, MapBefore));
        EXPECT_TRUE(PictureOnly(ScreenBitmap, ScreenBefore, 8509, at - scroll));
    }
}

TEST_F(TaggerTest, hideOnlyUndoesAStamp) {
    Tagger marker({26, 46}, 8509, Map, Module.get());
    marker.Hide(Screen, {});
    EXPECT_TRUE(Same(MapBitmap, MapBefore));
    EXPECT_TRUE(Same(ScreenBitmap, ScreenBefore));

    // Once hidden, the saved pixels are gone: a counter drawn there later is not overwritten
    // by a second Hide, and showing again saves what is there now.
    marker.Show(Screen, {});
    marker.Hide(Screen, {});
    MapBitmap.SetPixel(27, 47, TColor(1, 2, 3));
    const TBitmap withCounter = MapBitmap;
    marker.Hide(Screen, {});
    EXPECT_TRUE(Same(MapBitmap, withCounter));
    marker.Stamp();
    marker.Hide(Screen, {});
    EXPECT_TRUE(Same(MapBitmap, withCounter));
}

TEST_F(TaggerTest, readPlacesAndStampsTheMarker) {
    Tagger marker(Map, Module.get());
    marker.Stamp();
    EXPECT_FALSE(marker.IsStamped()) << "no picture yet";
    marker.Read(26, 46, 8515);
    EXPECT_EQ(marker.GetPosition(), TPoint(26, 46));
    EXPECT_EQ(marker.GetImageId(), 8515);
    EXPECT_EQ(marker.GetWidth(), 8);
    EXPECT_TRUE(marker.IsStamped());
    EXPECT_TRUE(PictureOnly(MapBitmap, MapBefore, 8515, {26, 46}));
    EXPECT_TRUE(Same(ScreenBitmap, ScreenBefore));

    // Far outside every picture: drawing is clipped away and nothing overflows.
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    Tagger far(Map, Module.get());
    far.Read(Max - 2, std::numeric_limits<std::int32_t>::min(), 8515);
    far.Show(Screen, {-100, 100});
    far.Hide(Screen, {-100, 100});
    EXPECT_TRUE(PictureOnly(MapBitmap, MapBefore, 8515, {26, 46}));
    EXPECT_TRUE(Same(ScreenBitmap, ScreenBefore));
}

// A missing picture raises, and a read naming one changes nothing; a picture is decoded once,
// not on every draw.
TEST_F(TaggerTest, missingPictureRaisesAndThePictureIsDecodedOnce) {
    EXPECT_THROW(Tagger({0, 0}, 8510, Map, Module.get()), TXBadFile);
    Tagger marker({26, 46}, 8509, Map, Module.get());
    EXPECT_THROW(marker.Read(1, 1, 8511), TXBadFile);
    EXPECT_EQ(marker.GetPosition(), TPoint(26, 46));
    EXPECT_EQ(marker.GetImageId(), 8509);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Dir.Path("8509.bmp"))));
    marker.Show(Screen, {});
    EXPECT_TRUE(PictureOnly(MapBitmap, MapBefore, 8509, {26, 46}));
}

TEST_F(TaggerTest, writeUsesTheFilePlacementWhenSet) {
    Tagger marker({26, 46}, 8509, Map, Module.get());
    auto written = [&marker] {
        std::string s;
        LittleEndianWriter out(s);
        marker.Write(out);
        return s;
    };
    EXPECT_EQ(written(), Le32s({26, 46, 8509}));
    marker.SetFilePlacement({34, 0}, 8514);
    EXPECT_EQ(written(), Le32s({60, 46, 8514}));
    marker.ClearFilePlacement();
    EXPECT_EQ(written(), Le32s({26, 46, 8509}));

    // Without a picture the placement is refused; reading keeps what placement there is.
    Tagger reading(Map, Module.get());
    reading.SetFilePlacement({34, 0}, 8514);
    reading.Read(26, 46, 8515);
    EXPECT_EQ(reading.GetFileOffset(), TPoint(0, 0));
    EXPECT_EQ(reading.GetFileImageId(), 0);
}

} // namespace
