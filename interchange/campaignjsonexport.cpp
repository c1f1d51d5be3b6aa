#include "interchange/campaignjsonexport.h"

#include "interchange/jsonwriter.h"
#include "model/brinnowdoc.h"

namespace {

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
    json.Key("name");
    json.String(nation.m_strName);
    json.Key("notes");
    json.String(nation.m_strNotes);
    json.Key("groupCode");
    json.Int(nation.m_nGroupCode);
}

void WriteArmament(JsonWriter& json, const VxArmament& armament) {
    json.Key("calibre");
    json.String(armament.m_strCalibre);
    json.Key("gun");
    json.Bool(armament.m_bGun);
    json.Key("rangeBands");
    json.BeginArray(true);
    for (const CString& band : armament.m_strRangeBand) json.String(band);
    json.End();
    json.Key("nation");
    json.Int(armament.m_nNation);
    json.Key("af");
    json.Double(armament.m_dAF);
    json.Key("notes");
    json.String(armament.m_strNotes);
}

void WriteTorpedo(JsonWriter& json, const VxTorpedo& torpedo) {
    json.Key("calibre");
    json.Double(torpedo.m_dCalibre);
    json.Key("value");
    json.Int(torpedo.m_nValue);
}

void WriteShip(JsonWriter& json, const VxShip& ship) {
    json.Key("name");
    json.String(ship.m_strName);
    json.Key("nation");
    json.Int(ship.m_nNation);
    json.Key("mainArmament");
    json.Int(ship.m_nMainArmament);
    WriteNumbers(json, "mainAF", ship.m_dMainAF);
    json.Key("wingTurrets");
    json.Bool(ship.m_bWingTurrets);
    json.Key("secondaryArmament");
    json.Int(ship.m_nSecondaryArmament);
    WriteNumbers(json, "secondaryAF", ship.m_dSecondaryAF);
    json.Key("torpedo");
    json.Int(ship.m_nTorpedo);
    WriteNumbers(json, "torpedoAF", ship.m_nTorpedoAF);
    json.Key("df");
    json.Double(ship.m_dDF);
    json.Key("shipType");
    json.Int(ship.m_nShipType);
    json.Key("aaRating");
    json.Int(ship.m_nAARating);
    WriteNumbers(json, "turnSpeed", ship.m_nTurnSpeed);
    json.Key("identifier");
    json.String(ship.m_strIdentifier);
    json.Key("notes");
    json.String(ship.m_strNotes);
    json.Key("poorUP");
    json.Bool(ship.m_bPoorUP);
    json.Key("flotilla");
    json.Bool(ship.m_bFlotilla);
}

void WriteSquadron(JsonWriter& json, const VxSquadron& squadron) {
    json.Key("name");
    json.String(squadron.m_strName);
    json.Key("nation");
    json.Int(squadron.m_nNation);
    json.Key("flagship");
    json.String(squadron.m_strFlagship);
    json.Key("commander");
    json.String(squadron.m_strCommander);
    WriteStrings(json, "ships", squadron.m_shipNames);
    WriteStrings(json, "attachments", squadron.m_attachmentNames);
    json.Key("notes");
    json.String(squadron.m_strNotes);
}

void WriteForce(JsonWriter& json, const VxForce& force) {
    json.Key("name");
    json.String(force.m_strName);
    json.Key("nation");
    json.Int(force.m_nNation);
    WriteList(json, "squadrons", force.m_squadrons, WriteSquadron);
    WriteList(json, "ships", force.m_ships, WriteShip);
    json.Key("notes");
    json.String(force.m_strNotes);
}

void WriteScenario(JsonWriter& json, const VxScenario& scenario) {
    json.Key("name");
    json.String(scenario.m_strName);
    json.Key("umpire");
    json.String(scenario.m_strUmpire);
    json.Key("date");
    json.String(scenario.m_strDate);
    json.Key("weather");
    json.String(scenario.m_strWeather);
    json.Key("victoryConditions");
    json.String(scenario.m_strVictoryConditions);
    json.Key("notes");
    json.String(scenario.m_strNotes);
    WriteList(json, "forces", scenario.m_forces, WriteForce);
}

}  // namespace

void WriteCampaignJson(const CBrinnowDoc& doc, const ByteSink& sink) {
    JsonWriter json(sink);
    json.BeginObject();
    json.Key("format");
    json.String(kCampaignJsonFormat);
    json.Key("version");
    json.Int(kCampaignJsonVersion);
    WriteList(json, "nations", doc.m_nations, WriteNation);
    WriteList(json, "armaments", doc.m_armaments, WriteArmament);
    WriteList(json, "torpedoTypes", doc.m_torpedoes, WriteTorpedo);
    WriteList(json, "ships", doc.m_ships, WriteShip);
    WriteList(json, "squadrons", doc.m_squadrons, WriteSquadron);
    WriteList(json, "scenarios", doc.m_scenarios, WriteScenario);
    json.End();
    json.Finish();
}

std::string CampaignJson(const CBrinnowDoc& doc) {
    std::string text;
    WriteCampaignJson(doc,
                      [&text](const char* data, std::size_t size) { text.append(data, size); });
    return text;
}

bool ExportCampaignJson(const CBrinnowDoc& doc, const std::string& path, std::string& error) {
    return WriteFileSafely(
        path, [&doc](const ByteSink& sink) { WriteCampaignJson(doc, sink); }, error);
}
