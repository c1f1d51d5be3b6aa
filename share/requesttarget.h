#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// What a request asks for, from its target as sent ("/TOKEN/page.js"): a
// seat's token and one of the page's own names after it. Only plain names
// pass: no escapes, no dot segments, no query, nothing long.
struct RequestTarget {
    static constexpr qsizetype kLongest = 128;

    QByteArray token;
    QByteArray name;  // "" for the page itself, "page.js", "ws", "card/3.svg", ...

    bool IsWebSocket() const { return name == "ws"; }
    // The roster index of a card's picture, or -1.
    int Card() const;

    static std::optional<RequestTarget> Parse(QByteArrayView target);
};
