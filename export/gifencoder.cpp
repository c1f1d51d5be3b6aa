#include "export/gifencoder.h"

#include <gif_lib.h>

#include <memory>

namespace {

int AppendToString(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(bytes), std::size_t(length));
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

struct ColorMapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::unique_ptr<ColorMapObject, ColorMapFree> GreyPalette() {
    std::unique_ptr<ColorMapObject, ColorMapFree> map(GifMakeMapObject(256, nullptr));
    if (!map) return map;
    for (int i = 0; i < 256; ++i) {
        map->Colors[i] = GifColorType{GifByteType(i), GifByteType(i), GifByteType(i)};
    }
    return map;
}

// Rows in the order of the four interlace passes.
std::vector<int> InterlacedRowOrder(int height) {
    std::vector<int> order;
    order.reserve(std::size_t(height));
    for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int row = first; row < height; row += step) order.push_back(row);
    }
    return order;
}

}  // namespace

std::string EncodeGreyGif(const std::vector<std::uint8_t>& pixels, int width, int height,
                          int screenWidth, int screenHeight) {
    std::string bytes;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, AppendToString, &error));
    auto palette = GreyPalette();
    if (!gif || !palette || std::size_t(width) * std::size_t(height) != pixels.size()) return {};
    EGifSetGifVersion(gif.get(), false);
    if (EGifPutScreenDesc(gif.get(), screenWidth, screenHeight, 8, 0, palette.get()) != GIF_OK ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, true, nullptr) != GIF_OK) {
        return {};
    }
    for (const int row : InterlacedRowOrder(height)) {
        auto* line =
            const_cast<GifPixelType*>(pixels.data() + std::size_t(row) * std::size_t(width));
        if (EGifPutLine(gif.get(), line, width) != GIF_OK) return {};
    }
    if (EGifCloseFile(gif.release(), &error) != GIF_OK) return {};
    return bytes;
}
