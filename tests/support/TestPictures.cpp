#include "TestPictures.h"

#include <vector>

namespace {

std::string Picture(int id, int size) {
    std::vector<std::uint32_t> px;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            px.push_back(TestPictures::PicturePixel(id, x, y).Pixel() & 0xffffff);
    return BmpBytes::Rgb24(size, size, px);
}

} // namespace

TestPictures::TestPictures() {
    for (int id = 2001; id <= 2202; ++id)
        Dir.Write(std::to_string(id) + ".bmp", Picture(id, 24));
    for (int id = 2281; id <= 2283; ++id)
        Dir.Write(std::to_string(id) + ".bmp", Picture(id, 12));
    std::vector<std::uint32_t> map;
    for (int y = 0; y < MapHeight; ++y)
        for (int x = 0; x < MapWidth; ++x)
            map.push_back(MapPixel(x, y).Pixel() & 0xffffff);
    Dir.Write("kvkmap.bmp", BmpBytes::Rgb24(MapWidth, MapHeight, map));
    PictureModule = std::make_unique<TModule>(Dir.Path("."));
}
