#include "share/requesttarget.h"

#include <QRegularExpression>

namespace {

// The page's names: itself, its script and style, the socket and the cards.
const QRegularExpression& Pattern() {
    static const QRegularExpression pattern(QStringLiteral(
        "^/([0-9a-f]{32})/(|page\\.js|page\\.css|ws|card/(?:0|[1-9][0-9]{0,4})\\.svg)$"));
    return pattern;
}

}  // namespace

int RequestTarget::Card() const {
    if (!name.startsWith("card/")) return -1;
    return name.mid(5, name.size() - 9).toInt();
}

std::optional<RequestTarget> RequestTarget::Parse(QByteArrayView target) {
    if (target.size() > kLongest) return std::nullopt;
    const auto match = Pattern().match(QString::fromLatin1(target.data(), target.size()));
    if (!match.hasMatch()) return std::nullopt;
    return RequestTarget{match.captured(1).toLatin1(), match.captured(2).toLatin1()};
}
