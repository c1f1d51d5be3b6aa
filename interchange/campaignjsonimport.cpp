#include "interchange/campaignjsonimport.h"

#include <sys/stat.h>

#include "interchange/campaignjsonexport.h"
#include "interchange/jsonfieldreader.h"
#include "interchange/textposition.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"

namespace {

using Value = JsonFieldReader::Value;
template <class Record>
using Field = JsonFieldReader::Field<Record>;

void ReadTextElement(JsonFieldReader& reader, Value& value, CString& text) {
    text = reader.ReadString(value);
}
void ReadIntElement(JsonFieldReader& reader, Value& value, int& number) {
    number = reader.ReadInt(value);
}
void ReadDoubleElement(JsonFieldReader& reader, Value& value, double& number) {
    number = reader.ReadDouble(value);
}

template <auto Member, class Record>
void Text(JsonFieldReader& reader, Value& value, Record& record) {
    record.*Member = reader.ReadString(value);
}
template <auto Member, class Record>
void Int(JsonFieldReader& reader, Value& value, Record& record) {
    record.*Member = reader.ReadInt(value);
}
template <auto Member, class Record>
void Flag(JsonFieldReader& reader, Value& value, Record& record) {
    record.*Member = reader.ReadBool(value);
}
template <auto Member, class Record>
void Double(JsonFieldReader& reader, Value& value, Record& record) {
    record.*Member = reader.ReadDouble(value);
}
template <auto Member, auto ReadElement, class Record>
void List(JsonFieldReader& reader, Value& value, Record& record) {
    reader.ReadArray(value, record.*Member, ReadElement);
}
// A record of the campaign's lists, read after telling how far the reading is.
template <auto ReadElement, class Record>
void Reported(JsonFieldReader& reader, Value& value, Record& record) {
    reader.ReportPosition(value);
    ReadElement(reader, value, record);
}

template <auto Member, auto ReadElement>
void DocumentList(JsonFieldReader& reader, Value& value, CBrinnowDoc& doc) {
    (doc.*Member).ChangeAll([&](auto& records) {
        reader.ReadArray(value, records, Reported<ReadElement>);
    });
}

void ReadNation(JsonFieldReader& reader, Value& value, VxNation& nation) {
    static constexpr std::array<Field<VxNation>, 3> kFields = {{
        {"name", Text<&VxNation::m_strName>},
        {"notes", Text<&VxNation::m_strNotes>},
        {"groupCode", Int<&VxNation::m_nGroupCode>},
    }};
    reader.ReadObject(value, kFields, nation);
}

void ReadArmament(JsonFieldReader& reader, Value& value, VxArmament& armament) {
    static constexpr std::array<Field<VxArmament>, 6> kFields = {{
        {"calibre", Text<&VxArmament::m_strCalibre>},
        {"gun", Flag<&VxArmament::m_bGun>},
        {"rangeBands", List<&VxArmament::m_strRangeBand, ReadTextElement>},
        {"nation", Int<&VxArmament::m_nNation>},
        {"af", Double<&VxArmament::m_dAF>},
        {"notes", Text<&VxArmament::m_strNotes>},
    }};
    reader.ReadObject(value, kFields, armament);
}

void ReadTorpedo(JsonFieldReader& reader, Value& value, VxTorpedo& torpedo) {
    static constexpr std::array<Field<VxTorpedo>, 2> kFields = {{
        {"calibre", Double<&VxTorpedo::m_dCalibre>},
        {"value", Int<&VxTorpedo::m_nValue>},
    }};
    reader.ReadObject(value, kFields, torpedo);
}

void ReadShip(JsonFieldReader& reader, Value& value, VxShip& ship) {
    static constexpr std::array<Field<VxShip>, 17> kFields = {{
        {"name", Text<&VxShip::m_strName>},
        {"nation", Int<&VxShip::m_nNation>},
        {"mainArmament", Int<&VxShip::m_nMainArmament>},
        {"mainAF", List<&VxShip::m_dMainAF, ReadDoubleElement>},
        {"wingTurrets", Flag<&VxShip::m_bWingTurrets>},
        {"secondaryArmament", Int<&VxShip::m_nSecondaryArmament>},
        {"secondaryAF", List<&VxShip::m_dSecondaryAF, ReadDoubleElement>},
        {"torpedo", Int<&VxShip::m_nTorpedo>},
        {"torpedoAF", List<&VxShip::m_nTorpedoAF, ReadIntElement>},
        {"df", Double<&VxShip::m_dDF>},
        {"shipType", Int<&VxShip::m_nShipType>},
        {"aaRating", Int<&VxShip::m_nAARating>},
        {"turnSpeed", List<&VxShip::m_nTurnSpeed, ReadIntElement>},
        {"identifier", Text<&VxShip::m_strIdentifier>},
        {"notes", Text<&VxShip::m_strNotes>},
        {"poorUP", Flag<&VxShip::m_bPoorUP>},
        {"flotilla", Flag<&VxShip::m_bFlotilla>},
    }};
    reader.ReadObject(value, kFields, ship);
}

void ReadSquadron(JsonFieldReader& reader, Value& value, VxSquadron& squadron) {
    static constexpr std::array<Field<VxSquadron>, 7> kFields = {{
        {"name", Text<&VxSquadron::m_strName>},
        {"nation", Int<&VxSquadron::m_nNation>},
        {"flagship", Text<&VxSquadron::m_strFlagship>},
        {"commander", Text<&VxSquadron::m_strCommander>},
        {"ships", List<&VxSquadron::m_shipNames, ReadTextElement>},
        {"attachments", List<&VxSquadron::m_attachmentNames, ReadTextElement>},
        {"notes", Text<&VxSquadron::m_strNotes>},
    }};
    reader.ReadObject(value, kFields, squadron);
}

void ReadForce(JsonFieldReader& reader, Value& value, VxForce& force) {
    static constexpr std::array<Field<VxForce>, 5> kFields = {{
        {"name", Text<&VxForce::m_strName>},
        {"nation", Int<&VxForce::m_nNation>},
        {"squadrons", List<&VxForce::m_squadrons, ReadSquadron>},
        {"ships", List<&VxForce::m_ships, ReadShip>},
        {"notes", Text<&VxForce::m_strNotes>},
    }};
    reader.ReadObject(value, kFields, force);
}

void ReadScenario(JsonFieldReader& reader, Value& value, VxScenario& scenario) {
    static constexpr std::array<Field<VxScenario>, 7> kFields = {{
        {"name", Text<&VxScenario::m_strName>},
        {"umpire", Text<&VxScenario::m_strUmpire>},
        {"date", Text<&VxScenario::m_strDate>},
        {"weather", Text<&VxScenario::m_strWeather>},
        {"victoryConditions", Text<&VxScenario::m_strVictoryConditions>},
        {"notes", Text<&VxScenario::m_strNotes>},
        {"forces", List<&VxScenario::m_forces, ReadForce>},
    }};
    reader.ReadObject(value, kFields, scenario);
}

void ReadFormat(JsonFieldReader& reader, Value& value, CBrinnowDoc&) {
    const char* at = reader.Start(value);
    if (reader.ReadUtf8(value) != kCampaignJsonFormat) {
        reader.Fail(std::string("this is not a campaign: the format must be \"") +
                        kCampaignJsonFormat + "\"",
                    at);
    }
}

void ReadVersion(JsonFieldReader& reader, Value& value, CBrinnowDoc&) {
    const char* at = reader.Start(value);
    const int version = reader.ReadInt(value);
    if (version != kCampaignJsonVersion) {
        reader.Fail("this program reads version " + std::to_string(kCampaignJsonVersion) +
                        " of the format, not version " + std::to_string(version),
                    at);
    }
}

void ReadCampaign(JsonFieldReader& reader, CBrinnowDoc& doc) {
    static constexpr std::array<Field<CBrinnowDoc>, 8> kFields = {{
        {"format", ReadFormat},
        {"version", ReadVersion},
        {"nations", DocumentList<&CBrinnowDoc::m_nations, ReadNation>},
        {"armaments", DocumentList<&CBrinnowDoc::m_armaments, ReadArmament>},
        {"torpedoTypes", DocumentList<&CBrinnowDoc::m_torpedoes, ReadTorpedo>},
        {"ships", DocumentList<&CBrinnowDoc::m_ships, ReadShip>},
        {"squadrons", DocumentList<&CBrinnowDoc::m_squadrons, ReadSquadron>},
        {"scenarios", DocumentList<&CBrinnowDoc::m_scenarios, ReadScenario>},
    }};
    reader.ReadDocument(kFields, doc);
}

std::string DescribeFailure(std::string_view json, const std::string& name,
                            const JsonInputError& failure) {
    const TextPosition position = PositionOf(WithoutByteOrderMark(json), failure.Offset());
    return "\"" + name + "\" cannot be imported: at line " + std::to_string(position.line) +
           ", column " + std::to_string(position.column) + " (" + failure.Path() + "), " +
           failure.what() + ".";
}

bool ImportPadded(simdjson::padded_string_view json, const std::string& name, CBrinnowDoc& doc,
                  std::string& error, Progress& progress) {
    CBrinnowDoc imported;
    try {
        JsonFieldReader reader(json);
        reader.SetProgress(progress);
        ReadCampaign(reader, imported);
    } catch (const JsonInputError& failure) {
        error = DescribeFailure(json, name, failure);
        return false;
    }
    doc.m_nations = std::move(imported.m_nations);
    doc.m_armaments = std::move(imported.m_armaments);
    doc.m_torpedoes = std::move(imported.m_torpedoes);
    doc.m_ships = std::move(imported.m_ships);
    doc.m_squadrons = std::move(imported.m_squadrons);
    doc.m_scenarios = std::move(imported.m_scenarios);
    progress.Step(std::int64_t(json.size()), std::int64_t(json.size()), kBytesRead);
    return true;
}

}  // namespace

bool ImportCampaignJson(const std::string& json, const std::string& name, CBrinnowDoc& doc,
                        std::string& error) {
    return ImportPadded(simdjson::padded_string(json), name, doc, error, Unwatched());
}

bool ImportCampaignJsonFile(const std::string& path, CBrinnowDoc& doc, std::string& error,
                            Progress& progress) {
    // A regular file is read straight into a buffer with the parser's
    // padding; the ordinary read takes pipes and FIFOs, which must be read
    // once and not wait for ever, and says why a file cannot be read.
    simdjson::padded_string json;
    struct stat info {};
    const bool regular = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    if (!regular || simdjson::padded_string::load(path).get(json) != simdjson::SUCCESS) {
        std::string bytes;
        if (!ReadWholeFile(path, bytes, error)) return false;
        json = simdjson::padded_string(bytes);
    }
    return ImportPadded(json, path, doc, error, progress);
}
