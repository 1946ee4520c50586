// Fuzz target of the picture reader. Any bytes: TDib either refuses them with TXBadFile naming
// the file and the fault, or builds a whole picture: a size within its limits, a depth it
// knows, one opaque pixel for every place of the picture, and the same pixels that Qt's own
// decoder gives wherever that decoder reads the file too (the common uncompressed depths are
// decoded by the program's own row decoder, the rest by Qt's).
#include "FuzzRequire.h"
#include "TDib.h"
#include "TXBadFile.h"

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const std::string Name = "fuzz.bmp";

// A run-length coded picture may declare any size up to TDib's limits in a few bytes, and
// decoding one of millions of pixels takes up to a second, a thousand times a small one. Such
// sizes are left out of the search (an uncompressed picture of the fuzzer's few kilobytes
// cannot reach them); sizes past the limits still go to TDib, which must refuse them.
constexpr long long SearchPixels = 1 << 16;

std::int32_t HeaderInt32(const std::string& b, std::size_t at) {
    return std::int32_t(std::uint32_t(std::uint8_t(b[at])) |
                        std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
                        std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
                        std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}

bool TooSlowToSearch(const std::string& b) {
    if (b.size() < 26)
        return false;
    const long long w = std::llabs(HeaderInt32(b, 18)), h = std::llabs(HeaderInt32(b, 22));
    return w <= TDib::MaxSide && h <= TDib::MaxSide && w * h <= TDib::MaxPixels &&
           w * h > SearchPixels;
}

void CheckPicture(const TDib& dib, const std::string& bytes) {
    const int w = dib.Width(), h = dib.Height(), bpp = dib.BitsPixel();
    FuzzRequire(w > 0 && h > 0 && w <= TDib::MaxSide && h <= TDib::MaxSide &&
                    (long long)w * h <= TDib::MaxPixels,
                "a picture's size is within the limits");
    FuzzRequire(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32,
                "a picture's depth is one the reader knows");
    FuzzRequire(bpp <= 8 ? dib.NumColors() <= 1 << bpp : dib.NumColors() == 0,
                "only palettised pictures have colours, at most one for every index");
    FuzzRequire(dib.GetColor(dib.NumColors()) == TColor::Black, "no colour past the table");

    const PixelVector& pixels = dib.Pixels();
    FuzzRequire(pixels.size() == std::size_t(w) * std::size_t(h), "one pixel for every place");
    for (std::uint32_t p : pixels)
        FuzzRequire(p >> 24 == 0xff, "every pixel is opaque");
    for (int y : {0, h - 1})
        for (int x : {0, w - 1})
            FuzzRequire(
                dib.GetPixel(x, y) ==
                    TColor::FromPixel(pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)]),
                "GetPixel reads the pixels");
    FuzzRequire(dib.GetPixel(w, 0) == TColor::Black && dib.GetPixel(0, -1) == TColor::Black,
                "no pixel outside the picture");

    // Qt's decoder may refuse what the reader accepts (header sizes it does not know); where
    // it reads the file, the picture must be the same. Run-length coded pictures are left out:
    // the reader decodes them with Qt's decoder anyway, and on its own that decoder leaves the
    // pixels a picture skips undefined.
    const std::uint32_t compression = std::uint32_t(HeaderInt32(bytes, 30));
    if (compression == 1 || compression == 2)
        return;
    const QImage qt =
        QImage::fromData(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())), "bmp")
            .convertToFormat(QImage::Format_RGB32);
    if (qt.isNull())
        return;
    FuzzRequire(qt.width() == w && qt.height() == h, "the size Qt's decoder reads");
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(qt.constScanLine(y));
        for (int x = 0; x < w; ++x)
            FuzzRequire(row[x] == pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)],
                        "the pixels Qt's decoder reads");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Qt's decoder warns about many broken files; a million such lines slow the search.
    static const bool quiet =
        (qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}), true);
    (void)quiet;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (TooSlowToSearch(bytes))
        return 0;
    try {
        CheckPicture(TDib::FromBytes(bytes, Name), bytes);
    } catch (const TXBadFile& e) {
        FuzzRequire(e.FileName == Name && !e.Reason.empty(), "a refusal names file and fault");
    }
    return 0;
}
