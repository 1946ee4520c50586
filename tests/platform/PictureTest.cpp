// Reading Windows pictures: valid files give their size, colour table and pixels; damaged
// or missing files raise TXBadFile naming the file.
#include "LittleEndianBytes.h"
#include "TBitmap.h"
#include "TDib.h"
#include "TModule.h"
#include "TPalette.h"
#include "TXBadFile.h"
#include "TestFiles.h"
#include "TextChecks.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const std::vector<std::uint32_t> FourColours = {0x000000, 0xff0000, 0x00ff00, 0x0000ff};

std::string SmallIndexed() {
    // 5 x 3, so every row is padded; the index is (x + y) mod 4.
    std::vector<std::uint8_t> idx;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            idx.push_back(std::uint8_t((x + y) % 4));
    return BmpBytes::Indexed8(5, 3, FourColours, idx);
}

// Reading the picture raises TXBadFile naming the file, for the reason given.
void ExpectRefused(const std::string& path, const std::string& reason, const char* what = "") {
    try {
        TDib dib(path.c_str());
        ADD_FAILURE() << what << ": no exception for " << path;
    } catch (const TXBadFile& e) {
        EXPECT_EQ(e.FileName, path) << what;
        EXPECT_TRUE(Holds(std::string(e.what()), path)) << what;
        EXPECT_TRUE(Holds(e.Reason, reason)) << what;
    }
}

TEST(Picture, eightBitFileKeepsSizeColourTableAndPixels) {
    const TDib dib = TDib::FromBytes(SmallIndexed(), "small.bmp");
    EXPECT_EQ(dib.Width(), 5);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.BitsPixel(), 8);
    ASSERT_EQ(dib.NumColors(), 4);
    EXPECT_EQ(dib.GetColor(1), TColor(255, 0, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dib.GetPixel(x, y), TColor::FromPixel(FourColours[std::size_t((x + y) % 4)]));

    TBitmap bitmap(dib);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.GetPixel(4, 2), TColor(0, 255, 0));
    TPalette palette(dib);
    EXPECT_EQ(palette.GetNumEntries(), 4);
    EXPECT_EQ(palette.GetEntry(2), TColor(0, 255, 0));
}

struct DamageCase {
    const char* what;
    std::string bytes;
    const char* reason; // a word the message must contain
};

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(char(v));
    return s;
}

std::string WithLE32(std::string bytes, std::size_t at, std::uint32_t v) {
    return bytes.replace(at, 4, Le32s({v}));
}

// 3 x 2, 24 bits a pixel: rows of 12 bytes, as at 32 bits.
std::string TrueColour() {
    return BmpBytes::Rgb24(3, 2, {0x102030, 0x405060, 0x708090, 0xa0b0c0, 0xd0e0f0, 0x112233});
}

TEST(Picture, twentyFourBitFileKeepsPixels) {
    const TDib dib = TDib::FromBytes(TrueColour(), "true.bmp");
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BitsPixel(), 24);
    EXPECT_EQ(dib.NumColors(), 0);
    EXPECT_EQ(dib.GetPixel(2, 1), TColor::FromPixel(0x112233));
    EXPECT_EQ(dib.GetPixel(0, 0), TColor::FromPixel(0x102030));
}

TEST(Picture, damagedFilesRaiseTheExceptionNamingTheFile) {
    const std::string good = SmallIndexed();
    std::vector<DamageCase> cases = {
        {"empty", "", "empty"},
        {"wrong magic", "XY" + good.substr(2), "signature"},
        {"header cut short", good.substr(0, 30), "truncated"},
        {"pixels cut short", good.substr(0, good.size() - 3), "truncated"},
        {"zero width", WithLE32(good, 18, 0), "size"},
        {"absurd width", WithLE32(good, 18, 0x7fffffff), "size"},
        {"absurd height", WithLE32(good, 22, 100000), "size"},
        {"negative width", WithLE32(good, 18, 0xfffffff0u), "size"},
        {"pixel data past the end", WithLE32(good, 10, 0x00ffffffu), "truncated"},
        {"data offset inside the colour table", WithLE32(good, 10, 14 + 40 + 4 * 4 - 4),
         "overlaps"},
        {"data offset on the colour masks of a bit-field picture",
         WithLE32(WithLE32(TrueColour(), 28, 32), 30, 3), "overlaps"},
        // Rows from after the third colour: the last row would lie past the end.
        {"three colours for 1-bit pixels",
         WithLE32(WithLE32(WithLE32(good, 28, 1), 46, 3), 10, 14 + 40 + 2 * 4).substr(0, 74),
         "colour table"},
        // Run-length coded, so a few bytes may declare any size: the pixel limit refuses it
        // before anything is decoded.
        {"compressed, more pixels than the limit",
         WithLE32(WithLE32(WithLE32(good, 30, 1), 18, 4097), 22, 4097), "size"},
        {"compressed, the longest side but too many pixels",
         WithLE32(WithLE32(WithLE32(good, 30, 1), 18, 16384), 22, 1025), "size"},
    };
    TestDir dir;
    for (const DamageCase& c : cases) {
        dir.Write("bad.bmp", c.bytes);
        ExpectRefused(dir.Path("bad.bmp"), c.reason, c.what);
    }
    // A missing file, and a file too large to hold any picture that would be accepted (it is
    // refused before it is read).
    ExpectRefused(dir.Path("kvkmap.bmp"), "cannot be opened", "missing");
    dir.Write("huge.bmp", good);
    QFile huge(QString::fromStdString(dir.Path("huge.bmp")));
    ASSERT_TRUE(huge.resize(TDib::MaxFileBytes + 1)); // sparse: takes no room on the disk
    ExpectRefused(dir.Path("huge.bmp"), "too large to be a picture", "huge");
}

TEST(Picture, pixelsThatARunLengthPictureSkipsHaveTheFirstColour) {
    // 5 x 3, 256 colours each of its own. From the bottom row up: two pixels of colour 7 and
    // the end of the row; a jump three pixels right and one pixel of colour 5; the end of the
    // picture. The rest is never written.
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < 256; ++i)
        palette.push_back(0x402010u ^ (i * 0x010101u));
    const std::size_t offBits = 14 + 40 + 4 * 256;
    std::string rle =
        WithLE32(BmpBytes::Indexed8(5, 3, palette, std::vector<std::uint8_t>(15, 9)), 30, 1);
    rle.resize(offBits);
    rle += Bytes({2, 7, 0, 0, 0, 2, 3, 0, 1, 5, 0, 1});
    const TDib dib = TDib::FromBytes(rle, "rle.bmp");
    ASSERT_EQ(dib.Width(), 5);
    ASSERT_EQ(dib.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::uint32_t index = y == 2 && x < 2 ? 7 : y == 1 && x == 3 ? 5 : 0;
            EXPECT_EQ(dib.GetPixel(x, y), TColor::FromPixel(palette[index]))
                << "(" << x << ", " << y << ")";
        }
}

// Reading a picture that was preloaded gives the same picture, or the same error, as reading
// it afresh, whichever preload is pending.
TEST(Picture, aPreloadedPictureReadsAsAFreshOne) {
    TestDir dir;
    dir.Write("map.bmp", SmallIndexed());
    TDib::Preload(dir.Path("map.bmp"));
    TDib::Preload(dir.Path("map.bmp")); // only the latest preload is kept
    for (int i = 0; i < 2; ++i) {       // from the preload, then from the file
        const TDib dib(dir.Path("map.bmp").c_str());
        EXPECT_EQ(dib.Width(), 5);
        EXPECT_EQ(dib.NumColors(), 4);
        EXPECT_EQ(dib.GetPixel(4, 2).Pixel(), TColor::FromPixel(FourColours[2]).Pixel());
    }
    TDib::Preload(dir.Path("missing.bmp"));
    ExpectRefused(dir.Path("missing.bmp"), "cannot be opened", "preloaded");
}

// Bitmap resources decoded ahead on another thread are the pictures a module gives without a
// preload, kept like them; one that cannot be decoded still raises its error when asked for.
TEST(Picture, preloadedResourcesAreThePicturesAndKeepTheirErrors) {
    TestDir dir;
    dir.Write("7.bmp", SmallIndexed());
    dir.Write("8.bmp", "BM and no picture");
    {
        TModule module(dir.Path("."));
        module.Preload({7, 8, 9}); // 9: no such resource
        const TBitmap& seven = module.GetBitmap(7);
        EXPECT_EQ(seven.Width(), 5);
        EXPECT_EQ(seven.Height(), 3);
        EXPECT_EQ(seven.GetPixel(4, 2).Pixel(), TColor::FromPixel(FourColours[2]).Pixel());
        EXPECT_EQ(seven.GetPixel(0, 0).Pixel(), TColor::FromPixel(FourColours[0]).Pixel());
        EXPECT_EQ(&module.GetBitmap(7), &seven);
        EXPECT_THROW(module.GetBitmap(8), TXBadFile);
        EXPECT_THROW(module.GetBitmap(9), TXBadFile);
    }
    TModule gone(dir.Path("."));
    gone.Preload({7, 8, 9}); // the module goes while its preload may still be running
}

} // namespace
