#include "interchange/campaignjsonexport.h"

#include "interchange/jsonwriter.h"
#include "model/brinnowdoc.h"

namespace {

constexpr const char* kWritingRecord = "Writing record";

void Put(JsonWriter& json, const char* key, const CString& text) {
    json.Key(key);
    json.String(text);
}

void Put(JsonWriter& json, const char* key, int number) {
    json.Key(key);
    json.Int(number);
}

void Put(JsonWriter& json, const char* key, double number) {
    json.Key(key);
    json.Double(number);
}

void PutFlag(JsonWriter& json, const char* key, BOOL flag) {
    json.Key(key);
    json.Bool(flag);
}

template <class T, std::size_t N>
void WriteNumbers(JsonWriter& json, const char* key, const std::array<T, N>& values) {
    json.Key(key);
    json.BeginArray(true);
    for (const T value : values) {
        if constexpr (std::is_floating_point_v<T>) {
            json.Double(value);
        } else {
            json.Int(value);
        }
    }
    json.End();
}

void WriteStrings(JsonWriter& json, const char* key, const CStringArray& texts) {
    json.Key(key);
    json.BeginArray();
    for (const CString& text : texts) json.String(text);
    json.End();
}

template <class Record, class WriteRecord>
void WriteList(JsonWriter& json, const char* key, const CArray<Record>& list, WriteRecord write) {
    json.Key(key);
    json.BeginArray();
    for (const Record& record : list) {
        json.BeginObject();
        write(json, record);
        json.End();
    }
    json.End();
}

void WriteNation(JsonWriter& json, const VxNation& nation) {
    Put(json, "name", nation.m_strName);
    Put(json, "notes", nation.m_strNotes);
    Put(json, "groupCode", nation.m_nGroupCode);
}

void WriteArmament(JsonWriter& json, const VxArmament& armament) {
    Put(json, "calibre", armament.m_strCalibre);
    PutFlag(json, "gun", armament.m_bGun);
    json.Key("rangeBands");
    json.BeginArray(true);
    for (const CString& band : armament.m_strRangeBand) json.String(band);
    json.End();
    Put(json, "nation", armament.m_nNation);
    Put(json, "af", armament.m_dAF);
    Put(json, "notes", armament.m_strNotes);
}

void WriteTorpedo(JsonWriter& json, const VxTorpedo& torpedo) {
    Put(json, "calibre", torpedo.m_dCalibre);
    Put(json, "value", torpedo.m_nValue);
}

void WriteShip(JsonWriter& json, const VxShip& ship) {
    Put(json, "name", ship.m_strName);
    Put(json, "nation", ship.m_nNation);
    Put(json, "mainArmament", ship.m_nMainArmament);
    WriteNumbers(json, "mainAF", ship.m_dMainAF);
    PutFlag(json, "wingTurrets", ship.m_bWingTurrets);
    Put(json, "secondaryArmament", ship.m_nSecondaryArmament);
    WriteNumbers(json, "secondaryAF", ship.m_dSecondaryAF);
    Put(json, "torpedo", ship.m_nTorpedo);
    WriteNumbers(json, "torpedoAF", ship.m_nTorpedoAF);
    Put(json, "df", ship.m_dDF);
    Put(json, "shipType", ship.m_nShipType);
    Put(json, "aaRating", ship.m_nAARating);
    WriteNumbers(json, "turnSpeed", ship.m_nTurnSpeed);
    Put(json, "identifier", ship.m_strIdentifier);
    Put(json, "notes", ship.m_strNotes);
    PutFlag(json, "poorUP", ship.m_bPoorUP);
    PutFlag(json, "flotilla", ship.m_bFlotilla);
}

void WriteSquadron(JsonWriter& json, const VxSquadron& squadron) {
    Put(json, "name", squadron.m_strName);
    Put(json, "nation", squadron.m_nNation);
    Put(json, "flagship", squadron.m_strFlagship);
    Put(json, "commander", squadron.m_strCommander);
    WriteStrings(json, "ships", squadron.m_shipNames);
    WriteStrings(json, "attachments", squadron.m_attachmentNames);
    Put(json, "notes", squadron.m_strNotes);
}

void WriteForce(JsonWriter& json, const VxForce& force) {
    Put(json, "name", force.m_strName);
    Put(json, "nation", force.m_nNation);
    WriteList(json, "squadrons", force.m_squadrons, WriteSquadron);
    WriteList(json, "ships", force.m_ships, WriteShip);
    Put(json, "notes", force.m_strNotes);
}

void WriteScenario(JsonWriter& json, const VxScenario& scenario) {
    Put(json, "name", scenario.m_strName);
    Put(json, "umpire", scenario.m_strUmpire);
    Put(json, "date", scenario.m_strDate);
    Put(json, "weather", scenario.m_strWeather);
    Put(json, "victoryConditions", scenario.m_strVictoryConditions);
    Put(json, "notes", scenario.m_strNotes);
    WriteList(json, "forces", scenario.m_forces, WriteForce);
}

}  // namespace

void WriteCampaignJson(const CBrinnowDoc& doc, const ByteSink& sink, Progress& progress) {
    JsonWriter json(sink);
    json.BeginObject();
    Put(json, "format", kCampaignJsonFormat);
    Put(json, "version", kCampaignJsonVersion);
    const auto total =
        std::int64_t(doc.m_nations.size() + doc.m_armaments.size() + doc.m_torpedoes.size() +
                     doc.m_ships.size() + doc.m_squadrons.size() + doc.m_scenarios.size());
    std::int64_t written = 0;
    progress.Step(written, total, kWritingRecord);
    const auto counted = [&](auto write) {
        return [&, write](JsonWriter& writer, const auto& record) {
            write(writer, record);
            progress.Step(++written, total, kWritingRecord);
        };
    };
    WriteList(json, "nations", doc.m_nations.Records(), counted(WriteNation));
    WriteList(json, "armaments", doc.m_armaments.Records(), counted(WriteArmament));
    WriteList(json, "torpedoTypes", doc.m_torpedoes.Records(), counted(WriteTorpedo));
    WriteList(json, "ships", doc.m_ships.Records(), counted(WriteShip));
    WriteList(json, "squadrons", doc.m_squadrons.Records(), counted(WriteSquadron));
    WriteList(json, "scenarios", doc.m_scenarios.Records(), counted(WriteScenario));
    json.End();
    json.Finish();
}

std::string CampaignJson(const CBrinnowDoc& doc) {
    std::string text;
    WriteCampaignJson(doc,
                      [&text](const char* data, std::size_t size) { text.append(data, size); });
    return text;
}

bool ExportCampaignJson(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                        Progress& progress) {
    return WriteFileSafely(
        path, [&](const ByteSink& sink) { WriteCampaignJson(doc, sink, progress); }, error);
}
