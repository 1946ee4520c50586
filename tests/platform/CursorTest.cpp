// The map window's cursors: 32 x 32 monochrome resources whose hot spots lie on the shape,
// and the reader refusing what is not such a cursor.
#include "TCursor.h"
#include "TXBadFile.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(Cursor, theThreeCursorsWithTheirHotSpots) {
    for (const auto& [id, hot] : {std::pair{1450, TPoint{1, 1}}, std::pair{1451, TPoint{0, 0}},
                                  std::pair{1452, TPoint{4, 11}}}) {
        const TCursor cursor(id);
        EXPECT_EQ(cursor.HotSpot(), hot) << id;
        EXPECT_NE(cursor.PixelAt(hot.x, hot.y), TCursor::Transparent) << id;
        int black = 0, white = 0;
        for (int y = 0; y < TCursor::Size; ++y)
            for (int x = 0; x < TCursor::Size; ++x) {
                EXPECT_NE(cursor.PixelAt(x, y), TCursor::Inverted);
                black += cursor.PixelAt(x, y) == TCursor::Black;
                white += cursor.PixelAt(x, y) == TCursor::White;
            }
        EXPECT_GT(black, 40) << id;
        EXPECT_GT(white, 40) << id;
    }
    EXPECT_EQ(int(TCursor(TCursor::Arrow).GetId()), 0);
    EXPECT_THROW(TCursor(1453), TXBadFile);
}

TEST(Cursor, onlyOneImage32By32MonochromeCursorsAreRead) {
    QFile file(":/cursors/1452.cur");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    const std::string bytes(good.constData(), std::size_t(good.size()));
    TPoint hot;
    std::array<TCursor::Pixel, TCursor::Size * TCursor::Size> pixels{};
    ASSERT_TRUE(TCursor::Parse(bytes, hot, pixels));
    auto with = [&](std::size_t at, char value) {
        std::string b = bytes;
        b[at] = value;
        return b;
    };
    for (const std::string& bad :
         {bytes.substr(0, 21), bytes.substr(0, bytes.size() - 1), with(2, 1) /* an icon */,
          with(6, 16) /* 16 wide */, with(18, char(0xff)) /* image beyond the file */,
          with(22 + 14, 8) /* 8 bits a pixel */})
        EXPECT_FALSE(TCursor::Parse(bad, hot, pixels)) << bad.size();
}

} // namespace
