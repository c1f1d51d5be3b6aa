#include "share/clientmessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cmath>

#include "game/marknames.h"

namespace {

constexpr std::array<const char*, 4> kRoles = {"flagship", "member", "attachment", "single"};
constexpr int kLargestNumber = 999999;

ClientMessage Drop(const QString& reason) {
    ClientMessage message;
    message.reason = reason;
    return message;
}

ClientMessage Refuse(const QString& reason) {
    ClientMessage message;
    message.kind = ClientMessage::Kind::Refuse;
    message.reason = reason;
    return message;
}

// A whole number from low, or nullopt.
std::optional<int> Number(const QJsonValue& value, int low) {
    const double number = value.toDouble(-1);
    // In range before it is converted: a huge or NaN value converts to
    // nothing defined.
    if (!value.isDouble() || !(number >= low && number <= kLargestNumber) ||
        number != std::floor(number))
        return std::nullopt;
    return int(number);
}

bool ReadPlaces(const QJsonValue& value, std::vector<CardMark>& places) {
    const QJsonArray list = value.toArray();
    if (!value.isArray() || list.isEmpty() || list.size() > qsizetype(kCardMarkCount)) return false;
    for (const QJsonValue& item : list) {
        const auto mark = MarkFromToken(item.toString().toStdString());
        if (!item.isString() || !mark) return false;
        places.push_back(*mark);
    }
    return true;
}

std::optional<ShipRole> ReadRole(const QJsonValue& value) {
    for (std::size_t i = 0; i < kRoles.size(); ++i) {
        if (value.isString() && value.toString() == QLatin1String(kRoles[i])) return ShipRole(i);
    }
    return std::nullopt;
}

ClientMessage ReadMark(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    ClientMessage message;
    message.kind = ClientMessage::Kind::Mark;
    MarkRequest& mark = message.mark;
    for (auto field = object.begin(); field != object.end(); ++field) {
        const QString key = field.key();
        bool good = true;
        if (key == QLatin1String("force")) {
            const auto force = Number(*field, 1);
            good = force.has_value();
            mark.force = force.value_or(0);
        } else if (key == QLatin1String("ship")) {
            good = field->isString();
            mark.ship = field->toString();
        } else if (key == QLatin1String("places")) {
            good = ReadPlaces(*field, mark.places);
        } else if (key == QLatin1String("squadron")) {
            mark.squadron = Number(*field, 0);
            good = mark.squadron.has_value();
        } else if (key == QLatin1String("role")) {
            mark.role = ReadRole(*field);
            good = mark.role.has_value();
        } else if (key == QLatin1String("position")) {
            mark.position = Number(*field, 1);
            good = mark.position.has_value();
        } else {
            return Refuse(QStringLiteral("A mark has no \"%1\".").arg(key.left(40)));
        }
        if (!good) return Refuse(QStringLiteral("The mark's \"%1\" is not valid.").arg(key));
    }
    if (!value.isObject() || mark.force == 0 || !object.contains(QLatin1String("ship")) ||
        mark.places.empty()) {
        return Refuse(QStringLiteral("A mark needs a force, a ship and its places."));
    }
    return message;
}

ClientMessage ReadDevice(const QJsonValue& value) {
    const QJsonValue name = value.toObject().value(QLatin1String("name"));
    if (!name.isString()) return Refuse(QStringLiteral("A device gives its name as text."));
    ClientMessage message;
    message.kind = ClientMessage::Kind::Device;
    message.device = name.toString().simplified().left(ClientMessage::kLongestDeviceName).trimmed();
    return message;
}

}  // namespace

ClientMessage ClientMessage::Read(QByteArrayView text) {
    if (text.size() > kLongest) return Drop(QStringLiteral("The message is longer than 4 KiB."));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return Drop(QStringLiteral("The message is not a JSON object."));
    }
    const QJsonObject object = document.object();
    if (object.size() != 1) return Drop(QStringLiteral("A message holds one request."));
    const QString request = object.begin().key();
    const QJsonValue body = object.begin().value();
    if (request == QLatin1String("mark")) return ReadMark(body);
    if (request == QLatin1String("device")) return ReadDevice(body);
    if (request == QLatin1String("next-turn")) {
        ClientMessage message;
        message.kind = Kind::NextTurn;
        return message;
    }
    return Drop(QStringLiteral("There is no request \"%1\".").arg(request.left(40)));
}
