#include "TDib.h"

#include "TModule.h"
#include "TXBadFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <cstring>

namespace {

// The largest picture side accepted; the map is about 2100 pixels wide.
constexpr long long MaxSide = 16384;

std::uint32_t ReadLE32(const std::string& b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::uint16_t ReadLE16(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// Checks the file and information headers before the decoder sees the file: the decoder
// accepts a file that ends early and leaves the missing rows undefined, so the size the
// header promises is checked against the bytes that are there.
void CheckHeader(const std::string& b, const std::string& name) {
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M')
        throw TXBadFile(name, "not a Windows bitmap (wrong signature)");
    if (b.size() < 14 + 40)
        throw TXBadFile(name, "truncated bitmap header");
    const std::uint32_t offBits = ReadLE32(b, 10);
    const std::uint32_t infoSize = ReadLE32(b, 14);
    if (infoSize < 40)
        throw TXBadFile(name, "unsupported bitmap header");
    const long long width = std::int32_t(ReadLE32(b, 18));
    const long long height = std::llabs(std::int32_t(ReadLE32(b, 22)));
    const int bpp = ReadLE16(b, 28);
    const std::uint32_t compression = ReadLE32(b, 30);
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
        throw TXBadFile(name, "impossible picture size " + std::to_string(width) + " x " +
                                  std::to_string(height));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        throw TXBadFile(name, "unsupported colour depth of " + std::to_string(bpp) + " bits");
    const bool uncompressed = compression == 0 || compression == 3;
    if (uncompressed) {
        const long long stride = ((width * bpp + 31) / 32) * 4;
        if (offBits < 14 + infoSize || (long long)offBits + stride * height > (long long)b.size())
            throw TXBadFile(name, "truncated file: the picture data is incomplete");
    }
}

} // namespace

TDib::TDib(const char* fileName) {
    const std::string name = fileName ? fileName : "";
    QFile file(QString::fromLocal8Bit(name.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        throw TXBadFile(name, "cannot be opened (" + file.errorString().toStdString() + ")");
    QByteArray data = file.readAll();
    Decode(std::string(data.constData(), std::size_t(data.size())), name);
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

void TDib::Decode(const std::string& bytes, const std::string& name) {
    CheckHeader(bytes, name);

    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    if (image.isNull())
        throw TXBadFile(name, "cannot be decoded (" + reader.errorString().toStdString() + ")");

    W = image.width();
    H = image.height();
    Bpp = ReadLE16(bytes, 28);
    Colors.clear();
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
