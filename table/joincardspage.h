#pragma once

#include <QString>
#include <QUrl>
#include <vector>

class CDC;
class QrCode;

// A reader needs light round a QR code: four modules, as the standard asks.
constexpr int kQrQuietModules = 4;

// A seat of a shared game as its join card prints it.
struct JoinCard {
    QString title;  // "Force 1 — British Battlecruiser Fleet"
    QUrl link;
};

// The QR code's dark modules as squares of module pixels, from its top left
// corner; the light ones are left as they are.
void DrawQrCode(CDC& dc, const QrCode& code, int left, int top, int module);
// One page of join cards, two to a row, each with its seat's title, the QR
// code of its link and the link itself, under the game's title.
void DrawJoinCardsPage(CDC& dc, const QString& gameTitle, const std::vector<JoinCard>& cards);
