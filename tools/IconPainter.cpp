#include "IconPainter.h"

#include <array>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace {

struct Rgba {
    double R = 0, G = 0, B = 0, A = 0;
};

// The colour of the drawing at a point of the unit square, (0, 0) the top-left corner.
Rgba Sample(double x, double y) {
    const double cx = x - 0.5, cy = y - 0.5;
    const double s3 = std::sqrt(3.0);
    // A hex with flat top and bottom: its outline, then its inside.
    const double hex = std::max(std::abs(cy) / (s3 / 2), std::abs(cx) + std::abs(cy) / s3);
    const double counterHalf = 0.23;
    const double box = std::max(std::abs(cx), std::abs(cy));
    if (box <= counterHalf) {
        if (box > counterHalf - 0.035)
            return {20, 10, 10, 1};
        // The infantry symbol: a white box with its two diagonals.
        const double bx = 0.15, by = 0.09;
        const bool onBox = std::abs(cx) <= bx && std::abs(cy) <= by &&
                           (std::abs(cx) > bx - 0.03 || std::abs(cy) > by - 0.03 ||
                            std::abs(std::abs(cx) * by / bx - std::abs(cy)) < 0.022);
        if (onBox)
            return {250, 250, 250, 1};
        return {200, 30, 30, 1};
    }
    if (hex <= 0.47)
        return hex > 0.43 ? Rgba{40, 55, 25, 1} : Rgba{120, 160, 70, 1};
    return {};
}

std::uint32_t Crc32(const std::vector<std::uint8_t>& data, std::size_t from) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xffffffffu;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ data[i]) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void PutBig32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 3; i >= 0; --i)
        b.push_back(std::uint8_t(v >> (8 * i) & 0xff));
}

void Chunk(std::vector<std::uint8_t>& png, const char* type,
           const std::vector<std::uint8_t>& data) {
    PutBig32(png, std::uint32_t(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig32(png, Crc32(png, start));
}

} // namespace

std::vector<std::uint32_t> IconPainter::Render(int size) {
    std::vector<std::uint32_t> out(std::size_t(size * size));
    constexpr int N = 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba sum;
            for (int sy = 0; sy < N; ++sy)
                for (int sx = 0; sx < N; ++sx) {
                    const Rgba s = Sample((x + (sx + 0.5) / N) / size, (y + (sy + 0.5) / N) / size);
                    sum.R += s.R * s.A;
                    sum.G += s.G * s.A;
                    sum.B += s.B * s.A;
                    sum.A += s.A;
                }
            const double a = sum.A / (N * N);
            auto channel = [&](double v) {
                return sum.A > 0 ? std::uint32_t(v / sum.A + 0.5) : 0u;
            };
            out[std::size_t(y * size + x)] = std::uint32_t(a * 255 + 0.5) << 24 |
                                             channel(sum.R) << 16 | channel(sum.G) << 8 |
                                             channel(sum.B);
        }
    return out;
}

Image16 IconPainter::Render16(int size) {
    const std::vector<std::uint32_t> rgba = Render(size);
    Image16 im(size, size, Image16::Silver);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::uint32_t p = rgba[std::size_t(y * size + x)];
            if ((p >> 24) >= 128)
                im.Set(x, y, Image16::Nearest(p & 0xffffff));
        }
    return im;
}

void IconPainter::WritePng(const std::vector<std::uint32_t>& pixels, int size,
                           const std::filesystem::path& file) {
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < size; ++x) {
            const std::uint32_t p = pixels[std::size_t(y * size + x)];
            for (int shift : {16, 8, 0, 24})
                raw.push_back(std::uint8_t(p >> shift & 0xff));
        }
    }
    // zlib stream of stored (uncompressed) blocks, with its Adler-32.
    std::vector<std::uint8_t> z = {0x78, 0x01};
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        z.push_back(std::uint8_t(n & 0xff));
        z.push_back(std::uint8_t(n >> 8));
        z.push_back(std::uint8_t(~n & 0xff));
        z.push_back(std::uint8_t(~n >> 8 & 0xff));
        z.insert(z.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + n));
        if (n == 0)
            break;
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, b << 16 | a);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> header;
    PutBig32(header, std::uint32_t(size));
    PutBig32(header, std::uint32_t(size));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}
