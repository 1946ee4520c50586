#include "TDib.h"

#include "TModule.h"
#include "TReadFile.h"
#include "TXBadFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <future>
#include <mutex>
#include <optional>

namespace {

std::uint32_t ReadLE32(std::string_view b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::uint16_t ReadLE16(std::string_view b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// Checks the file and information headers before the decoder sees the file: the decoder
// accepts a file that ends early and leaves the missing rows undefined, so the size the
// header promises is checked against the bytes that are there. The decoder reads the pixel
// rows from after the colour masks and the colour table even when the data offset points into
// them, so such a file is refused too: else its last rows would lie past the end checked.
void CheckHeader(std::string_view b, const std::string& name) {
    if (b.empty())
        throw TXBadFile(name, "the file is empty");
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M')
        throw TXBadFile(name, "not a Windows bitmap (wrong signature)");
    if (b.size() < 14 + 40)
        throw TXBadFile(name, "truncated bitmap header");
    const long long offBits = ReadLE32(b, 10);
    const long long infoSize = ReadLE32(b, 14);
    if (infoSize < 40)
        throw TXBadFile(name, "unsupported bitmap header");
    const long long width = std::int32_t(ReadLE32(b, 18));
    const long long height = std::llabs(std::int32_t(ReadLE32(b, 22)));
    const int bpp = ReadLE16(b, 28);
    const std::uint32_t compression = ReadLE32(b, 30);
    const long long coloursUsed = ReadLE32(b, 46);
    if (width <= 0 || height <= 0 || width > TDib::MaxSide || height > TDib::MaxSide ||
        width * height > TDib::MaxPixels)
        throw TXBadFile(name, "impossible picture size " + std::to_string(width) + " x " +
                                  std::to_string(height));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        throw TXBadFile(name, "unsupported colour depth of " + std::to_string(bpp) + " bits");
    if (bpp <= 8 && coloursUsed > 1LL << bpp)
        throw TXBadFile(name, "a colour table of " + std::to_string(coloursUsed) +
                                  " colours for pixels of " + std::to_string(bpp) + " bits");
    const bool uncompressed = compression == 0 || compression == 3;
    if (uncompressed) {
        // A 40-byte header is followed by the three colour masks of a bit-field picture.
        long long dataStart = 14 + infoSize + (compression == 3 && infoSize == 40 ? 12 : 0);
        if (bpp <= 8)
            dataStart += 4 * (coloursUsed ? coloursUsed : 1LL << bpp);
        if (offBits < dataStart)
            throw TXBadFile(name, "the picture data overlaps the headers or the colour table");
        const long long stride = ((width * bpp + 31) / 32) * 4;
        if (offBits + stride * height > (long long)b.size())
            throw TXBadFile(name, "truncated file: the picture data is incomplete");
    }
}

// Decodes the common uncompressed bitmaps (4, 8, 24 and 32 bits a pixel) directly, row by
// row: the general decoder takes some 90 ms for the map, this a few. The header has been
// checked. False leaves the picture to the general decoder.
bool DecodePlain(std::string_view b, int& w, int& h, std::vector<TColor>& colours,
                 PixelVector& rgb) {
    const std::uint32_t offBits = ReadLE32(b, 10);
    const std::uint32_t infoSize = ReadLE32(b, 14);
    const int width = std::int32_t(ReadLE32(b, 18));
    const int rawHeight = std::int32_t(ReadLE32(b, 22));
    const int bpp = ReadLE16(b, 28);
    if (ReadLE32(b, 30) != 0 || (bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
        return false;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    std::vector<std::uint32_t> table;
    if (bpp <= 8) {
        std::uint32_t used = ReadLE32(b, 46);
        if (used == 0 || used > (1u << bpp))
            used = 1u << bpp;
        const std::size_t at = 14 + std::size_t(infoSize);
        if (at + 4 * std::size_t(used) > offBits)
            return false;
        table.reserve(std::size_t(1) << bpp);
        colours.reserve(used);
        for (std::uint32_t i = 0; i < used; ++i) {
            const std::uint32_t c = ReadLE32(b, at + 4 * i) & 0xffffff;
            table.push_back(0xff000000u | c);
            colours.emplace_back(int(c >> 16 & 0xff), int(c >> 8 & 0xff), int(c & 0xff));
        }
        table.resize(std::size_t(1) << bpp, 0xff000000u); // indices past the table: black
    }
    const std::size_t stride = ((std::size_t(width) * std::size_t(bpp) + 31) / 32) * 4;
    rgb.resize(std::size_t(width) * std::size_t(height));
    const auto* data = reinterpret_cast<const std::uint8_t*>(b.data()) + offBits;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data + stride * std::size_t(bottomUp ? height - 1 - y : y);
        std::uint32_t* out = rgb.data() + std::size_t(y) * std::size_t(width);
        switch (bpp) {
        case 4:
            for (int x = 0; x < width; ++x)
                out[x] = table[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xf];
            break;
        case 8: {
            const std::uint32_t* colour = table.data();
            int x = 0;
            for (; x + 4 <= width; x += 4) {
                out[x] = colour[row[x]];
                out[x + 1] = colour[row[x + 1]];
                out[x + 2] = colour[row[x + 2]];
                out[x + 3] = colour[row[x + 3]];
            }
            for (; x < width; ++x)
                out[x] = colour[row[x]];
            break;
        }
        default: {
            const int step = bpp / 8;
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = row + x * step;
                out[x] = 0xff000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
            }
        }
        }
    }
    w = width;
    h = height;
    return true;
}

// The one picture being decoded ahead of its use, and its file's name.
struct PendingPicture {
    std::mutex Lock;
    std::string Name;
    std::future<std::optional<TDib>> Picture;
};

PendingPicture& Pending() {
    static PendingPicture pending;
    return pending;
}

std::optional<TDib> TakePreloaded(const std::string& name) {
    PendingPicture& p = Pending();
    std::future<std::optional<TDib>> picture;
    {
        const std::lock_guard<std::mutex> lock(p.Lock);
        if (p.Name != name || !p.Picture.valid())
            return std::nullopt;
        p.Name.clear();
        picture = std::move(p.Picture);
    }
    return picture.get();
}

} // namespace

void TDib::Preload(const std::string& fileName) {
    auto picture = std::async(std::launch::async, [fileName]() -> std::optional<TDib> {
        try {
            TDib dib;
            dib.Load(fileName);
            return dib;
        } catch (const std::exception&) {
            return std::nullopt; // read again where it is needed, to raise the error there
        }
    });
    PendingPicture& p = Pending();
    std::future<std::optional<TDib>> replaced;
    const std::lock_guard<std::mutex> lock(p.Lock);
    replaced = std::move(p.Picture);
    p.Name = fileName;
    p.Picture = std::move(picture);
}

TDib::TDib(const char* fileName) {
    const std::string name = fileName ? fileName : "";
    if (std::optional<TDib> preloaded = TakePreloaded(name)) {
        *this = std::move(*preloaded);
        return;
    }
    Load(name);
}

void TDib::Load(const std::string& name) {
    TReadFile file(name);
    if (!file.IsOpen())
        throw TXBadFile(name, "cannot be opened (" + file.Error() + ")");
    // No picture that will be accepted is larger than its largest pixels and headers: a larger
    // file is refused before it is read into memory.
    if (file.Size() > MaxFileBytes)
        throw TXBadFile(name, "the file is too large to be a picture (" +
                                  std::to_string(file.Size()) + " bytes)");
    // Read straight into the bytes the decoder takes, in memory that is cheap to touch: a
    // large picture is not copied again.
    std::vector<char, PixelAllocator<char>> bytes(
        std::size_t(std::max<std::int64_t>(0, file.Size())));
    const long long got = file.Read(bytes.data(), bytes.size());
    if (got < 0)
        throw TXBadFile(name, "cannot be read (" + file.Error() + ")");
    Decode(std::string_view(bytes.data(), std::size_t(got)), name);
}

TDib::TDib(const TModule* module, TResId id) {
    const TModule& m = module ? *module : TModule::Application();
    Decode(m.BitmapBytes(id), "bitmap resource " + std::to_string(int(id)));
}

TDib TDib::FromBytes(const std::string& bytes, const std::string& name) {
    TDib dib;
    dib.Decode(bytes, name);
    return dib;
}

void TDib::Decode(std::string_view bytes, const std::string& name) {
    CheckHeader(bytes, name);
    Colors.clear();
    Bpp = ReadLE16(bytes, 28);
    if (DecodePlain(bytes, W, H, Colors, Rgb))
        return;

    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    // A run-length coded picture may skip pixels (to the end of a row or of the picture, or
    // by a jump), and the decoder leaves the pixels it skips unwritten. It reads into a picture
    // of its size and kind that it is given, so it gets one that is cleared to colour 0, as a
    // fresh bitmap is.
    QImage image;
    const std::uint32_t compression = ReadLE32(bytes, 30);
    if (compression == 1 || compression == 2) {
        image = QImage(int(ReadLE32(bytes, 18)), int(std::llabs(std::int32_t(ReadLE32(bytes, 22)))),
                       QImage::Format_Indexed8);
        image.fill(0);
    }
    if (!reader.read(&image))
        image = QImage();
    if (image.isNull())
        throw TXBadFile(name, "cannot be decoded (" + reader.errorString().toStdString() + ")");

    W = image.width();
    H = image.height();
    for (QRgb c : image.colorTable())
        Colors.emplace_back(qRed(c), qGreen(c), qBlue(c));

    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Rgb.resize(std::size_t(W) * std::size_t(H));
    for (int y = 0; y < H; ++y)
        std::memcpy(Rgb.data() + std::size_t(y) * std::size_t(W), rgb.constScanLine(y),
                    std::size_t(W) * sizeof(std::uint32_t));
}

TColor TDib::GetColor(int index) const {
    if (index < 0 || index >= NumColors())
        return TColor::Black;
    return Colors[std::size_t(index)];
}

TColor TDib::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= W || y >= H)
        return TColor::Black;
    return TColor::FromPixel(Rgb[std::size_t(y) * std::size_t(W) + std::size_t(x)]);
}
