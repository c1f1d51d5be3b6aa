#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "export/gifencoder.h"
#include "export/htmlexport.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"

namespace {

struct Reader {
    const std::string& bytes;
    std::size_t at = 0;
};

int ReadFromString(GifFileType* gif, GifByteType* out, int length) {
    auto* reader = static_cast<Reader*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(length), reader->bytes.size() - reader->at);
    std::memcpy(out, reader->bytes.data() + reader->at, n);
    reader->at += n;
    return int(n);
}

TEST(CardGif, HeaderScreenAndAGreyImageAndPixelsThatDoNotMatchTheSizeRefused) {
    QTemporaryDir dir;
    CBrinnowDoc doc;
    HtmlExport html(doc.m_ships, doc.m_armaments, dir.path().toStdString());
    VxShip ship;
    ship.m_strName = "Harrow";
    ship.HtmlSection(html, false, true);
    ASSERT_TRUE(html.WriteImages());
    std::string bytes, error;
    ASSERT_TRUE(html.files.Commit(error)) << error;
    ASSERT_TRUE(ReadWholeFile(dir.filePath("Harrow.gif").toStdString(), bytes, error));
    Reader reader{bytes};
    int status = 0;
    const std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
        DGifOpen(&reader, ReadFromString, &status),
        [](GifFileType* open) { DGifCloseFile(open, nullptr); });
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK);
    EXPECT_EQ(gif->SWidth, 44);
    EXPECT_EQ(gif->SHeight, 22);
    ASSERT_EQ(gif->ImageCount, 1);
    const GifImageDesc& image = gif->SavedImages[0].ImageDesc;
    const auto pixel = [&](int x, int y) -> int {
        return gif->SavedImages[0].RasterBits[y * image.Width + x];
    };
    EXPECT_EQ(image.Width, 259);
    EXPECT_EQ(image.Height, 129);
    EXPECT_TRUE(image.Interlace);
    ASSERT_NE(gif->SColorMap, nullptr);
    ASSERT_EQ(gif->SColorMap->ColorCount, 256);
    for (int i : {0, 1, 128, 248, 255}) {
        const GifColorType c = gif->SColorMap->Colors[i];
        EXPECT_TRUE(c.Red == i && c.Green == i && c.Blue == i) << i;
    }
    // White is 248 and the rules are black; giflib undoes the interlacing, so rows come back in
    // picture order.
    EXPECT_EQ(pixel(258, 0), 248);
    EXPECT_EQ(pixel(100, 120), 248);    // between the verticals, in row 3
    EXPECT_EQ(pixel(100, 128), 0);      // the box's bottom edge, the last row
    EXPECT_EQ(pixel(0, 80), 0);         // the box's left edge (box from y 41)
    EXPECT_EQ(pixel(100, 41 + 29), 0);  // rule under row 1 at 5 mm = 29
    EXPECT_EQ(pixel(61, 110), 248);

    // The encoder refuses pixels that do not match the size.
    EXPECT_EQ(EncodeGreyGif(std::vector<std::uint8_t>(10), 4, 4, 44, 22), "");
    EXPECT_NE(EncodeGreyGif(std::vector<std::uint8_t>(16), 4, 4, 44, 22), "");
}

}  // namespace
