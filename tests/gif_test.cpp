#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

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

class CardGif : public ::testing::Test {
  protected:
    void SetUp() override {
        CBrinnowDoc doc;
        HtmlExport html(doc.m_ships, doc.m_armaments, m_dir.path().toStdString());
        VxShip ship;
        ship.m_strName = "Harrow";
        ship.HtmlSection(html, false, true);
        ASSERT_TRUE(html.WriteImages());
        std::string error;
        ASSERT_TRUE(html.files.Commit(error)) << error;
        ASSERT_TRUE(ReadWholeFile(m_dir.filePath("Harrow.gif").toStdString(), m_bytes, error));
        Reader reader{m_bytes};
        int status = 0;
        m_gif = DGifOpen(&reader, ReadFromString, &status);
        ASSERT_NE(m_gif, nullptr);
        ASSERT_EQ(DGifSlurp(m_gif), GIF_OK);
    }
    void TearDown() override {
        if (m_gif) DGifCloseFile(m_gif, nullptr);
    }
    int Pixel(int x, int y) const {
        return m_gif->SavedImages[0].RasterBits[y * m_gif->SavedImages[0].ImageDesc.Width + x];
    }

    QTemporaryDir m_dir;
    std::string m_bytes;
    GifFileType* m_gif = nullptr;
};

TEST_F(CardGif, HeaderScreenAndAGreyImage) {
    EXPECT_EQ(m_gif->SWidth, 44);
    EXPECT_EQ(m_gif->SHeight, 22);
    ASSERT_EQ(m_gif->ImageCount, 1);
    const GifImageDesc& image = m_gif->SavedImages[0].ImageDesc;
    EXPECT_EQ(image.Width, 259);
    EXPECT_EQ(image.Height, 129);
    EXPECT_TRUE(image.Interlace);
    ASSERT_NE(m_gif->SColorMap, nullptr);
    ASSERT_EQ(m_gif->SColorMap->ColorCount, 256);
    for (int i : {0, 1, 128, 248, 255}) {
        const GifColorType c = m_gif->SColorMap->Colors[i];
        EXPECT_EQ(c.Red, i);
        EXPECT_EQ(c.Green, i);
        EXPECT_EQ(c.Blue, i);
    }
    // White is 248 and the rules are black; giflib undoes the interlacing, so rows come back in
    // picture order.
    EXPECT_EQ(Pixel(258, 0), 248);
    EXPECT_EQ(Pixel(100, 120), 248);    // between the verticals, in row 3
    EXPECT_EQ(Pixel(100, 128), 0);      // the box's bottom edge, the last row
    EXPECT_EQ(Pixel(0, 80), 0);         // the box's left edge (box from y 41)
    EXPECT_EQ(Pixel(100, 41 + 29), 0);  // rule under row 1 at 5 mm = 29
    EXPECT_EQ(Pixel(61, 110), 248);
}

TEST(GifEncoder, RefusesPixelsThatDoNotMatchTheSize) {
    EXPECT_EQ(EncodeGreyGif(std::vector<std::uint8_t>(10), 4, 4, 44, 22), "");
    EXPECT_NE(EncodeGreyGif(std::vector<std::uint8_t>(16), 4, 4, 44, 22), "");
}

}  // namespace
