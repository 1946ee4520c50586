#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

TestDir::TestDir() {
    if (!Dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

std::string TestDir::Path(const std::string& name) const {
    return QDir(Dir.path()).filePath(QString::fromStdString(name)).toStdString();
}

void TestDir::Write(const std::string& name, const std::string& bytes) const {
    QFile f(QString::fromStdString(Path(name)));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + name);
    f.write(bytes.data(), qint64(bytes.size()));
}

std::string TestDir::Read(const std::string& name) const {
    return ReadFile(Path(name));
}

std::string TestDir::ReadFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = f.readAll();
    return std::string(data.constData(), std::size_t(data.size()));
}

bool TestDir::Exists(const std::string& name) const {
    return QFile::exists(QString::fromStdString(Path(name)));
}

namespace {

void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s.push_back(char((v >> (8 * i)) & 0xff));
}
void Put16(std::string& s, std::uint16_t v) {
    s.push_back(char(v & 0xff));
    s.push_back(char(v >> 8));
}

std::string Headers(int width, int height, int bpp, int colours, std::uint32_t imageBytes) {
    const std::uint32_t offBits = 14 + 40 + 4 * std::uint32_t(colours);
    std::string s = "BM";
    // The file header (size, reserved, pixel offset), then the info header: its size, width,
    // height, planes, depth, no compression, image size, 72 dots an inch, colours used and all
    // of them important.
    for (std::uint32_t v :
         {offBits + imageBytes, 0u, offBits, 40u, std::uint32_t(width), std::uint32_t(height)})
        Put32(s, v);
    Put16(s, 1);
    Put16(s, std::uint16_t(bpp));
    for (std::uint32_t v : {0u, imageBytes, 2835u, 2835u, std::uint32_t(colours), 0u})
        Put32(s, v);
    return s;
}

} // namespace

std::string BmpBytes::Indexed8(int width, int height, const std::vector<std::uint32_t>& palette,
                               const std::vector<std::uint8_t>& indices) {
    const int stride = (width + 3) / 4 * 4;
    std::string s = Headers(width, height, 8, int(palette.size()), std::uint32_t(stride * height));
    for (std::uint32_t c : palette)
        Put32(s, c & 0xffffff);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            s.push_back(char(indices[std::size_t(y * width + x)]));
        s.append(std::size_t(stride - width), '\0');
    }
    return s;
}

std::string BmpBytes::Mono1(int width, int height) {
    const int stride = (width + 31) / 32 * 4;
    std::string s = Headers(width, height, 1, 2, std::uint32_t(stride * height));
    Put32(s, 0x000000);
    Put32(s, 0xffffff);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < stride; ++i)
            s.push_back(char((y / 8 + i) % 2 ? 0xff : 0x00));
    return s;
}

std::string BmpBytes::Rgb24(int width, int height, const std::vector<std::uint32_t>& pixels) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string s = Headers(width, height, 24, 0, std::uint32_t(stride * height));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[std::size_t(y * width + x)];
            s.push_back(char(p & 0xff));
            s.push_back(char((p >> 8) & 0xff));
            s.push_back(char((p >> 16) & 0xff));
        }
        s.append(std::size_t(stride - width * 3), '\0');
    }
    return s;
}
