#include "interchange/shipcsv.h"

#include <charconv>
#include <cmath>

#include "interchange/doubletext.h"
#include "interchange/shipcsvcolumns.h"
#include "model/brinnowdoc.h"
#include "model/listlookup.h"
#include "model/shiptables.h"
#include "platform/codepage.h"

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFlushSize = 1 << 16;
constexpr const char* kWritingShip = "Writing ship";

// What a spreadsheet takes for the start of a formula in a cell it reads.
bool RunsAsFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

// Builds one row at a time in a buffer that the sink empties now and then.
class CsvRow {
  public:
    CsvRow(std::string& out, CsvCells cells) : m_out(out), m_cells(cells) {}

    void Text(const CString& cp1252) {
        Separate();
        std::string utf8 = Cp1252ToUtf8(cp1252);
        // The usual leading apostrophe, which spreadsheets show as text.
        if (m_cells == CsvCells::Protected && RunsAsFormula(utf8)) utf8.insert(0, 1, '\'');
        if (utf8.find_first_of(std::string_view(",\"\r\n\0", 5)) == std::string::npos) {
            m_out += utf8;
            return;
        }
        m_out += '"';
        for (const char c : utf8) {
            if (c == '\0') continue;
            if (c == '"') m_out += '"';
            m_out += c;
        }
        m_out += '"';
    }
    void Int(int value) {
        Separate();
        char text[16];
        m_out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
    }
    void Double(double value) {
        Separate();
        if (!std::isfinite(value)) {
            m_out += DoubleText(value);
            return;
        }
        char text[32];
        m_out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
    }
    void YesNo(BOOL value) { Text(value ? "Yes" : "No"); }
    void End() { m_out += "\r\n"; }

  private:
    void Separate() {
        if (!m_first) m_out += ',';
        m_first = false;
    }

    std::string& m_out;
    CsvCells m_cells;
    bool m_first = true;
};

void WriteArmament(CsvRow& row, const CBrinnowDoc& doc, int index,
                   const std::array<double, 4>& factors) {
    row.Text(CsvNameAt(doc.m_armaments.Records(), index, CsvArmamentName));
    row.Int(index);
    for (const double factor : factors) row.Double(factor);
}

void WriteShip(std::string& out, const CBrinnowDoc& doc, const VxShip& ship, CsvCells cells) {
    CsvRow row(out, cells);
    row.Text(ship.m_strName);
    row.Text(CsvNameAt(doc.m_nations.Records(), ship.m_nNation, CsvNationName));
    row.Int(ship.m_nNation);
    WriteArmament(row, doc, ship.m_nMainArmament, ship.m_dMainAF);
    row.YesNo(ship.m_bWingTurrets);
    WriteArmament(row, doc, ship.m_nSecondaryArmament, ship.m_dSecondaryAF);
    row.Text(CsvNameAt(doc.m_torpedoes.Records(), ship.m_nTorpedo, CsvTorpedoName));
    row.Int(ship.m_nTorpedo);
    for (const int factor : ship.m_nTorpedoAF) row.Int(factor);
    row.Double(ship.m_dDF);
    row.Text(ShipTypeAbbreviation(ship.m_nShipType));
    row.Int(ship.m_nShipType);
    row.Text(AARatingText(ship.m_nAARating));
    row.Int(ship.m_nAARating);
    for (const int speed : ship.m_nTurnSpeed) row.Int(speed);
    row.YesNo(ship.m_bPoorUP);
    row.YesNo(ship.m_bFlotilla);
    row.Text(ship.m_strIdentifier);
    row.Text(ship.m_strNotes);
    row.End();
}

}  // namespace

void WriteShipsCsv(const CBrinnowDoc& doc, const ByteSink& sink, CsvCells cells,
                   Progress& progress) {
    std::string out = kByteOrderMark + ShipCsvHeader() + "\r\n";
    const auto total = std::int64_t(doc.m_ships.size());
    std::int64_t written = 0;
    progress.Step(written, total, kWritingShip);
    for (const VxShip& ship : doc.m_ships) {
        WriteShip(out, doc, ship, cells);
        progress.Step(++written, total, kWritingShip);
        if (out.size() >= kFlushSize) {
            sink(out.data(), out.size());
            out.clear();
        }
    }
    sink(out.data(), out.size());
}

std::string ShipsCsv(const CBrinnowDoc& doc, CsvCells cells) {
    std::string text;
    WriteShipsCsv(
        doc, [&text](const char* data, std::size_t size) { text.append(data, size); }, cells);
    return text;
}

bool ExportShipsCsv(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                    CsvCells cells, Progress& progress) {
    return WriteFileSafely(
        path, [&](const ByteSink& sink) { WriteShipsCsv(doc, sink, cells, progress); }, error);
}
