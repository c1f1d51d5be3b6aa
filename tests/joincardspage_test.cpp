#include "table/joincardspage.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/qtstrings.h"
#include "tests/support/recordingdc.h"

namespace {

// A text as the page placed it: its anchor and its height.
struct Placed {
    int x = 0, y = 0, height = 0;
};

Placed PlacedText(const RecordingDC& page, const std::string& text) {
    const std::string entry = page.TextEntry(text);
    Placed placed;
    std::istringstream in(entry.substr(entry.find(' ')));
    std::string height;
    in >> placed.x >> placed.y >> height >> height;
    placed.height = std::stoi(height.substr(2));
    return placed;
}

std::vector<JoinCard> Seats(int count) {
    std::vector<JoinCard> cards;
    for (int seat = 1; seat <= count; ++seat) {
        cards.push_back({QString("Force %1").arg(seat),
                         QUrl(QString("http://192.168.1.20:8080/seat/%1a7Kq9").arg(seat))});
    }
    return cards;
}

}  // namespace

// Eight seats fill four rows of the page. The codes are as large as their
// rows let them be, and the page reads evenly from the heading down: the
// first row stands no further under the heading's line than a row stands
// under the link of the one above.
TEST(JoinCardsPage, EightSeatsFillTheirRowsEvenly) {
    RecordingDC page;
    const std::vector<JoinCard> cards = Seats(8);
    DrawJoinCardsPage(page, "Skirmish", cards);

    const Placed heading = PlacedText(page, "Skirmish");
    const int margin = heading.x;
    const Placed intro = PlacedText(
        page,
        "Scan your seat's code with your phone's camera, or open its link, on the network of "
        "this room.");
    const auto title = [&](int seat) { return PlacedText(page, FromQt(cards[seat].title)); };
    const auto link = [&](int seat) {
        return PlacedText(page, cards[seat].link.toEncoded().toStdString());
    };
    // The space between the columns, from where the two codes of a row stand.
    const int width = page.GetDeviceCaps(HORZRES) - 2 * margin;
    const int gap = 2 * (title(1).x - title(0).x) - width;
    ASSERT_GT(gap, 0);

    for (int seat = 0; seat + 2 < int(cards.size()); ++seat) {
        const int cellBottom = title(seat + 2).y - gap;
        const int linkBottom = link(seat).y + link(seat).height;
        EXPECT_GE(cellBottom, linkBottom) << "seat " << seat;
        EXPECT_LT(cellBottom - linkBottom, link(seat).height) << "seat " << seat;
        EXPECT_LE(title(0).y - (intro.y + intro.height), title(seat + 2).y - linkBottom)
            << "seat " << seat;
    }
}
