#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QSize>

#include "game/scenariosnapshot.h"

// A roster ship's record card as SVG, drawn by the cards' own drawing, and
// where each markable place lies on it, in the picture's coordinates, with
// the words a log uses for it.
namespace CardPicture {
// Pixels a millimetre in the picture's coordinates.
inline constexpr double kScale = 10.0;
QSize Size();
QByteArray Svg(const ScenarioSnapshot& snapshot, int card);
// {"box7": {"corners": [x1, y1, ... x4, y4], "label": "small box 7"}, ...}
// for every place.
QJsonObject Places();
}  // namespace CardPicture
