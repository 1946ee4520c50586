#include "TCursor.h"

#include "LittleEndianReader.h"
#include "TXBadFile.h"

#include <QBitmap>
#include <QCursor>
#include <QFile>
#include <QImage>

#include <string>

namespace {

std::uint16_t Word16(std::string_view b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

} // namespace

bool TCursor::Parse(std::string_view bytes, TPoint& hotSpot,
                    std::array<Pixel, Size * Size>& pixels) {
    // Header (6 bytes) and one directory entry (16 bytes), then the image: a 40-byte bitmap
    // header, two colours, and the XOR and AND masks of 4 bytes a row, bottom row first.
    constexpr std::size_t MaskBytes = Size * Size / 8;
    if (bytes.size() < 22 || Word16(bytes, 0) != 0 || Word16(bytes, 2) != 2 || Word16(bytes, 4) < 1)
        return false;
    if (std::uint8_t(bytes[6]) != Size || std::uint8_t(bytes[7]) != Size)
        return false;
    LittleEndianReader entry(bytes.substr(14));
    std::uint32_t imageSize = 0, offset = 0;
    entry.ReadUInt32(imageSize);
    entry.ReadUInt32(offset);
    if (offset > bytes.size() || bytes.size() - offset < 40 + 8 + 2 * MaskBytes)
        return false;
    LittleEndianReader header(bytes.substr(offset));
    std::uint32_t headerSize = 0;
    std::int32_t width = 0, height = 0;
    header.ReadUInt32(headerSize);
    header.ReadInt32(width);
    header.ReadInt32(height);
    std::string planesAndBits;
    header.ReadBytes(4, planesAndBits);
    if (headerSize != 40 || width != Size || height != 2 * Size || Word16(planesAndBits, 2) != 1)
        return false;
    const std::string_view xorMask = bytes.substr(offset + 40 + 8, MaskBytes);
    const std::string_view andMask = bytes.substr(offset + 40 + 8 + MaskBytes, MaskBytes);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const std::size_t at = std::size_t((Size - 1 - y) * Size / 8 + x / 8);
            const int bit = 0x80 >> (x % 8);
            const bool colour = std::uint8_t(xorMask[at]) & bit;
            const bool screen = std::uint8_t(andMask[at]) & bit;
            pixels[std::size_t(y * Size + x)] =
                screen ? (colour ? Inverted : Transparent) : (colour ? White : Black);
        }
    hotSpot = TPoint(Word16(bytes, 10), Word16(bytes, 12));
    return true;
}

TCursor::TCursor(TResId id) : Id(id) {
    if (id == Arrow) {
        Cursor = std::make_unique<QCursor>(Qt::ArrowCursor);
        return;
    }
    const QString name = QStringLiteral(":/cursors/%1.cur").arg(int(id));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw TXBadFile(name.toStdString(), "no such cursor resource");
    const QByteArray data = file.readAll();
    if (!Parse(std::string_view(data.constData(), std::size_t(data.size())), Hot, Pixels))
        throw TXBadFile(name.toStdString(), "not a 32 x 32 monochrome cursor");
    // Qt's monochrome cursor: a set bit of the bitmap is black, a clear one white; the mask
    // says where the cursor covers the screen.
    QImage bits(Size, Size, QImage::Format_Mono), mask(Size, Size, QImage::Format_Mono);
    for (QImage* image : {&bits, &mask}) {
        image->setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)}); // 1: a set bit
        image->fill(0);
    }
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const Pixel p = PixelAt(x, y);
            bits.setPixel(x, y, p == Black || p == Inverted ? 1 : 0);
            mask.setPixel(x, y, p == Black || p == White ? 1 : 0);
        }
    Cursor =
        std::make_unique<QCursor>(QBitmap::fromImage(bits), QBitmap::fromImage(mask), Hot.x, Hot.y);
}

TCursor::~TCursor() = default;
