// The raw cost the HTML export is measured against: giflib alone writing
// COUNT interlaced copies of one card image to files in a folder.
//
//   gif_reference SAMPLE.gif COUNT FOLDER
#include <gif_lib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool WriteInterlaced(const std::string& path, const SavedImage& image, const GifFileType& source) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) return false;
    const GifImageDesc& desc = image.ImageDesc;
    bool ok =
        EGifPutScreenDesc(gif, source.SWidth, source.SHeight, 8, 0, source.SColorMap) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, desc.Width, desc.Height, true, nullptr) == GIF_OK;
    // The decoder gives rows in picture order; write them in pass order.
    for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int row = first; ok && row < desc.Height; row += step) {
            ok = EGifPutLine(gif, image.RasterBits + row * desc.Width, desc.Width) == GIF_OK;
        }
    }
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gif_reference SAMPLE.gif COUNT FOLDER\n");
        return 2;
    }
    int error = 0;
    GifFileType* source = DGifOpenFileName(argv[1], &error);
    if (source == nullptr || DGifSlurp(source) != GIF_OK || source->ImageCount < 1) {
        std::fprintf(stderr, "gif_reference: cannot read %s\n", argv[1]);
        return 1;
    }
    const int count = std::stoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const std::string path = std::string(argv[3]) + "/card" + std::to_string(i) + ".gif";
        if (!WriteInterlaced(path, source->SavedImages[0], *source)) {
            std::fprintf(stderr, "gif_reference: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    DGifCloseFile(source, &error);
    return 0;
}
