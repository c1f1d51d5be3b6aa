#pragma once

#include <QByteArray>
#include <utility>
#include <vector>

// The headers of every answer the host gives: the page may load nothing
// from anywhere but the host, is never sniffed for another type, never
// cached, and never tells another site its link.
std::vector<std::pair<QByteArray, QByteArray>> PageHeaders();
// The whole answer to a request for anything that is not there, or not for
// whoever asks: "404" and no content.
QByteArray NotFoundAnswer();
// The whole answer to a connection beyond the most the host takes.
QByteArray BusyAnswer();
