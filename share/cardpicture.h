#pragma once

#include <QByteArray>
#include <QJsonObject>

#include "game/scenariosnapshot.h"

// A roster ship's record card as SVG, drawn by the cards' own drawing, and
// where each markable place lies on it, in the picture's coordinates.
namespace CardPicture {
// Pixels a millimetre in the picture's coordinates.
inline constexpr double kScale = 10.0;
QByteArray Svg(const ScenarioSnapshot& snapshot, int card);
// {"box7": [x1, y1, x2, y2, x3, y3, x4, y4], ...} for every place.
QJsonObject Places();
}  // namespace CardPicture
