#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

/** A fresh folder for one test's files, removed with everything in it when the test ends. */
class TestDir {
public:
    TestDir();
    /** The full path of a file of that name in the folder. */
    std::string Path(const std::string& name) const;
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    /** The bytes of any file, by full path; empty when it cannot be read. */
    static std::string ReadFile(const std::string& path);

private:
    QTemporaryDir Dir;
};

/** Builds Windows .bmp files in memory for picture tests. */
namespace BmpBytes {
/** An 8-bit palettised picture; pixel (x, y) has colour index index(x, y). */
std::string Indexed8(int width, int height, const std::vector<std::uint32_t>& palette,
                     const std::vector<std::uint8_t>& indices);
/** A 1-bit picture, black and white in stripes of eight pixels. */
std::string Mono1(int width, int height);
/** A 24-bit picture from 0xRRGGBB pixels, top row first. */
std::string Rgb24(int width, int height, const std::vector<std::uint32_t>& pixels);
} // namespace BmpBytes
