#include "compare/comparejson.h"

namespace {

void Bands(JsonWriter& json, const char* key, const std::array<double, 4>& bands) {
    json.Key(key);
    json.BeginArray(true);
    for (const double band : bands) json.Double(band);
    json.End();
}

// Only the slots some ship fills, under the card's names.
template <std::size_t N>
void Counts(JsonWriter& json, const char* key, const std::array<int, N>& counts,
            const char* (*slotName)(std::size_t)) {
    json.Key(key);
    json.BeginObject();
    for (std::size_t slot = 0; slot < N; ++slot) {
        if (counts[slot] == 0) continue;
        json.Key(slotName(slot));
        json.Int(counts[slot]);
    }
    json.End();
}

void Figures(JsonWriter& json, const ForceFigures& f) {
    json.Key("ships");
    json.Int(f.ships);
    Counts(json, "byType", f.byType, TypeSlotName);
    json.Key("missing");
    json.BeginArray();
    for (const CString& name : f.missing) json.String(name);
    json.End();
    json.Key("df");
    json.Double(f.df);
    Bands(json, "mainAF", f.mainAF);
    Bands(json, "secondaryAF", f.secondaryAF);
    Bands(json, "torpedoAF", f.torpedoAF);
    json.Key("slowestSpeed");
    f.slowestSpeed ? json.Int(*f.slowestSpeed) : json.Null();
    json.Key("medianSpeed");
    f.medianSpeed ? json.Double(*f.medianSpeed) : json.Null();
    Counts(json, "aa", f.aa, AASlotName);
}

}  // namespace

void WriteCompareJson(JsonWriter& json, const CString& scenario,
                      const std::vector<ForceComparison>& forces) {
    json.BeginObject();
    json.Key("scenario");
    json.String(scenario);
    json.Key("forces");
    json.BeginArray();
    for (const ForceComparison& force : forces) {
        json.BeginObject();
        json.Key("force");
        json.Int(force.force + 1);
        json.Key("name");
        json.String(force.name);
        Figures(json, force.start);
        if (force.now) {
            json.Key("now");
            json.BeginObject();
            Figures(json, *force.now);
            json.End();
            json.Key("damageBoxes");
            json.Int(force.damageBoxes);
        }
        json.End();
    }
    json.End();
    json.End();
    json.Finish();
}
