#include "game/gamefile.h"

#include <array>
#include <functional>

#include "game/marknames.h"
#include "interchange/jsonfieldreader.h"
#include "interchange/jsonwriter.h"
#include "interchange/textposition.h"
#include "platform/filestore.h"

namespace {

using Value = JsonFieldReader::Value;
template <class Record>
using Field = JsonFieldReader::Field<Record>;

constexpr std::array<const char*, 4> kRoles = {"flagship", "member", "attachment", "single"};

// Places are counted from 1 in the file, as players count them; a single
// ship has squadron 0.
void WritePlace(JsonWriter& json, const ShipPlace& place) {
    json.Key("force");
    json.Int(place.force + 1);
    json.Key("squadron");
    json.Int(place.role == ShipRole::Single ? 0 : place.squadron + 1);
    json.Key("role");
    json.Utf8String(kRoles[std::size_t(place.role)]);
    json.Key("position");
    json.Int(place.position + 1);
}

void WriteShip(JsonWriter& json, const GameShip& ship) {
    json.BeginObject();
    WritePlace(json, ship.place);
    json.Key("name");
    json.String(ship.name);
    json.Key("marks");
    json.BeginArray(true);
    for (std::size_t i = 0; i < kCardMarkCount; ++i) {
        if (ship.marks.Has(CardMark(i))) json.Utf8String(MarkToken(CardMark(i)));
    }
    json.End();
    json.End();
}

void WriteLogEntry(JsonWriter& json, const LogEntry& entry) {
    json.BeginObject();
    json.Key("turn");
    json.Int(entry.turn);
    json.Key("force");
    json.Int(entry.force + 1);
    json.Key("ship");
    json.String(entry.ship);
    json.Key("mark");
    json.Utf8String(MarkToken(entry.mark));
    json.Key("marked");
    json.Bool(entry.marked ? TRUE : FALSE);
    if (!entry.seat.empty()) {
        json.Key("seat");
        json.String(entry.seat);
    }
    json.End();
}

// A log's entries stand two levels down: in the game's object, in its array.
constexpr int kLogEntryDepth = 2;

using LogEntryWriter = std::function<void(JsonWriter&, std::size_t)>;

void WriteGame(JsonWriter& json, const Game& game, const LogEntryWriter& writeEntry) {
    json.BeginObject();
    json.Key("format");
    json.Utf8String(kGameJsonFormat);
    json.Key("version");
    json.Int(kGameJsonVersion);
    json.Key("campaign");
    json.Utf8String(game.campaign);
    json.Key("scenario");
    json.String(game.scenario);
    json.Key("turn");
    json.Int(game.Turn());
    json.Key("ships");
    json.BeginArray();
    for (const GameShip& ship : game.Ships()) WriteShip(json, ship);
    json.End();
    json.Key("log");
    json.BeginArray();
    for (std::size_t i = 0; i < game.Log().size(); ++i) writeEntry(json, i);
    json.End();
    json.End();
    json.Finish();
}

LogEntryWriter WriteEachLogEntry(const Game& game) {
    return [&game](JsonWriter& json, std::size_t i) { WriteLogEntry(json, game.Log()[i]); };
}

void WriteWholeGame(JsonWriter& json, const Game& game) {
    WriteGame(json, game, WriteEachLogEntry(game));
}

bool WriteGameFileWith(const Game& game, const std::string& path, const LogEntryWriter& writeEntry,
                       std::string& error) {
    return WriteFileSafely(
        path,
        [&](const ByteSink& sink) {
            JsonWriter json(sink);
            WriteGame(json, game, writeEntry);
        },
        error);
}

// A whole number from low up, stored less offset.
int ReadCount(JsonFieldReader& reader, Value& value, int low, int offset = 0) {
    const char* at = reader.Start(value);
    const int number = reader.ReadInt(value);
    if (number < low) reader.Fail("the number must be " + std::to_string(low) + " or more", at);
    return number - offset;
}

// A ship as read, before its marks are put into the game.
struct StoredShip {
    GameShip ship;
    int squadron = 0;  // as stored: 0 for a single ship
};

void ReadForce(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    stored.ship.place.force = ReadCount(reader, value, 1, 1);
}
void ReadSquadron(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    stored.squadron = ReadCount(reader, value, 0);
}
void ReadPosition(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    stored.ship.place.position = ReadCount(reader, value, 1, 1);
}
void ReadName(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    stored.ship.name = reader.ReadString(value);
}

void ReadRole(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    const char* at = reader.Start(value);
    const std::string_view role = reader.ReadUtf8(value);
    for (std::size_t i = 0; i < kRoles.size(); ++i) {
        if (role == kRoles[i]) {
            stored.ship.place.role = ShipRole(i);
            return;
        }
    }
    reader.Fail("the role must be \"flagship\", \"member\", \"attachment\" or \"single\"", at);
}

CardMark ReadMarkToken(JsonFieldReader& reader, Value& value) {
    const char* at = reader.Start(value);
    const std::string_view token = reader.ReadUtf8(value);
    const auto mark = MarkFromToken(token);
    if (!mark) reader.Fail("\"" + std::string(token.substr(0, 40)) + "\" is not a mark", at);
    return *mark;
}

void ReadMarkElement(JsonFieldReader& reader, Value& value, CardMark& mark) {
    mark = ReadMarkToken(reader, value);
}

void ReadMarks(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    const char* at = reader.Start(value);
    std::vector<CardMark> marks;
    reader.ReadArray(value, marks, ReadMarkElement);
    for (const CardMark mark : marks) {
        if (stored.ship.marks.Has(mark)) {
            reader.Fail("the mark \"" + MarkToken(mark) + "\" is listed twice", at);
        }
        stored.ship.marks.Toggle(mark);
    }
    if (stored.ship.marks.Empty()) reader.Fail("a ship is listed only when it has marks", at);
}

void ReadShip(JsonFieldReader& reader, Value& value, StoredShip& stored) {
    static constexpr std::array<Field<StoredShip>, 6> kFields = {{
        {"force", ReadForce},
        {"squadron", ReadSquadron},
        {"role", ReadRole},
        {"position", ReadPosition},
        {"name", ReadName},
        {"marks", ReadMarks},
    }};
    const char* at = reader.Start(value);
    reader.ReadObject(value, kFields, stored);
    const bool single = stored.ship.place.role == ShipRole::Single;
    if (single != (stored.squadron == 0)) {
        reader.Fail("a single ship has squadron 0 and a squadron's ship a squadron from 1", at);
    }
    stored.ship.place.squadron = single ? 0 : stored.squadron - 1;
}

void ReadLogEntry(JsonFieldReader& reader, Value& value, LogEntry& entry) {
    static constexpr std::array<Field<LogEntry>, 6> kFields = {{
        {"turn", [](JsonFieldReader& r, Value& v, LogEntry& e) { e.turn = ReadCount(r, v, 1); }},
        {"force",
         [](JsonFieldReader& r, Value& v, LogEntry& e) { e.force = ReadCount(r, v, 1, 1); }},
        {"ship", [](JsonFieldReader& r, Value& v, LogEntry& e) { e.ship = r.ReadString(v); }},
        {"mark", [](JsonFieldReader& r, Value& v, LogEntry& e) { e.mark = ReadMarkToken(r, v); }},
        {"marked",
         [](JsonFieldReader& r, Value& v, LogEntry& e) {
             const char* at = r.Start(v);
             const BOOL marked = r.ReadBool(v);
             if (marked != TRUE && marked != FALSE) r.Fail("marked must be true or false", at);
             e.marked = marked == TRUE;
         }},
        {"seat", [](JsonFieldReader& r, Value& v, LogEntry& e) { e.seat = r.ReadString(v); }, true},
    }};
    reader.ReadObject(value, kFields, entry);
}

void ReadFormat(JsonFieldReader& reader, Value& value, Game&) {
    const char* at = reader.Start(value);
    if (reader.ReadUtf8(value) != kGameJsonFormat) {
        reader.Fail(
            std::string("this is not a game: the format must be \"") + kGameJsonFormat + "\"", at);
    }
}

void ReadVersion(JsonFieldReader& reader, Value& value, Game&) {
    const char* at = reader.Start(value);
    const int version = reader.ReadInt(value);
    if (version != kGameJsonVersion) {
        reader.Fail("this program reads version " + std::to_string(kGameJsonVersion) +
                        " of the game format, not version " + std::to_string(version),
                    at);
    }
}

void ReadShips(JsonFieldReader& reader, Value& value, Game& game) {
    const char* at = reader.Start(value);
    std::vector<StoredShip> ships;
    reader.ReadArray(value, ships, ReadShip);
    for (const StoredShip& stored : ships) {
        if (game.MarksOf(stored.ship.place, stored.ship.name) != nullptr) {
            reader.Fail("a ship is listed twice at one place", at);
        }
        game.SetMarks(stored.ship.place, stored.ship.name, stored.ship.marks);
    }
}

void ReadLog(JsonFieldReader& reader, Value& value, Game& game) {
    std::vector<LogEntry> log;
    reader.ReadArray(value, log, ReadLogEntry);
    for (const LogEntry& entry : log) game.AppendLog(entry);
}

void ReadGame(JsonFieldReader& reader, Game& game) {
    static constexpr std::array<Field<Game>, 7> kFields = {{
        {"format", ReadFormat},
        {"version", ReadVersion},
        {"campaign",
         [](JsonFieldReader& r, Value& v, Game& g) { g.campaign = std::string(r.ReadUtf8(v)); }},
        {"scenario", [](JsonFieldReader& r, Value& v, Game& g) { g.scenario = r.ReadString(v); }},
        {"turn", [](JsonFieldReader& r, Value& v, Game& g) { g.SetTurn(ReadCount(r, v, 1)); }},
        {"ships", ReadShips},
        {"log", ReadLog},
    }};
    reader.ReadDocument(kFields, game);
}

}  // namespace

bool WriteGameFile(const Game& game, const std::string& path, std::string& error) {
    return WriteGameFileWith(game, path, WriteEachLogEntry(game), error);
}

bool WriteGameFile(const Game& game, const std::string& path,
                   const std::function<std::string_view(std::size_t)>& entryText,
                   std::string& error) {
    const LogEntryWriter writeEntry = [&entryText](JsonWriter& json, std::size_t i) {
        json.Written(entryText(i));
    };
    return WriteGameFileWith(game, path, writeEntry, error);
}

namespace {

template <class Item>
std::string JsonOf(const Item& item, void (*write)(JsonWriter&, const Item&), int depth = 0) {
    std::string text;
    {
        JsonWriter json([&text](const char* data, std::size_t size) { text.append(data, size); },
                        depth);
        write(json, item);
    }
    return text;
}

}  // namespace

std::string GameJson(const Game& game) { return JsonOf(game, WriteWholeGame); }
std::string GameShipJson(const GameShip& ship) { return JsonOf(ship, WriteShip); }
std::string LogEntryJson(const LogEntry& entry) { return JsonOf(entry, WriteLogEntry); }
std::string LogEntryFileText(const LogEntry& entry) {
    return JsonOf(entry, WriteLogEntry, kLogEntryDepth);
}

bool ReadGameJson(const std::string& json, const std::string& name, Game& game,
                  std::string& error) {
    const simdjson::padded_string padded(json);
    Game read;
    try {
        JsonFieldReader reader(padded, "game");
        ReadGame(reader, read);
    } catch (const JsonInputError& failure) {
        const TextPosition position = PositionOf(json, failure.Offset());
        error = "\"" + name + "\" cannot be opened as a game: at line " +
                std::to_string(position.line) + ", column " + std::to_string(position.column) +
                " (" + failure.Path() + "), " + failure.what() + ".";
        return false;
    }
    game = std::move(read);
    return true;
}

bool ReadGameFile(const std::string& path, Game& game, std::string& error) {
    std::string json;
    if (!ReadWholeFile(path, json, error)) return false;
    return ReadGameJson(json, path, game, error);
}
