#include "interchange/csvreader.h"

#include <simdjson.h>

#include <algorithm>
#include <cstdio>

#include "interchange/strictcp1252.h"
#include "interchange/textposition.h"

namespace {

bool IsRowEnd(char c) { return c == '\r' || c == '\n'; }

// The delimiter the header row uses: a spreadsheet in a locale with the
// decimal comma saves with semicolons.
char HeaderDelimiter(std::string_view text) {
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (IsRowEnd(c)) break;
        commas += c == ',';
        semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Utf8Of(char32_t code) {
    std::string text;
    if (code < 0x800) {
        text += char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        text += char(0xE0 | (code >> 12));
        text += char(0x80 | ((code >> 6) & 0x3F));
    } else {
        text += char(0xF0 | (code >> 18));
        text += char(0x80 | ((code >> 12) & 0x3F));
        text += char(0x80 | ((code >> 6) & 0x3F));
    }
    text += char(0x80 | (code & 0x3F));
    return text;
}

}  // namespace

CsvReader::CsvReader(std::string_view bytes) {
    m_text = WithoutByteOrderMark(bytes);
    m_validUtf8 = simdjson::validate_utf8(m_text.data(), m_text.size());
    m_utf8 = m_validUtf8 || m_text.size() != bytes.size();
    m_delimiter = HeaderDelimiter(m_text);
}

bool CsvReader::Text(const std::string& field, std::string& cp1252, std::string& why) const {
    // The export leaves NULs out, as spreadsheets cannot hold them.
    if (field.find('\0') != std::string::npos) {
        why = "the text holds a NUL character";
        return false;
    }
    if (!m_utf8 || IsAscii(field)) {
        cp1252 = field;
        return true;
    }
    if (!m_validUtf8 && !simdjson::validate_utf8(field.data(), field.size())) {
        why = "the text is not UTF-8, although the file is";
        return false;
    }
    char32_t rejected = 0;
    if (StrictCp1252FromUtf8(field, cp1252, rejected)) return true;
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(rejected));
    why = "the character " + Utf8Of(rejected) + " (" + code +
          ") cannot be kept: a campaign holds Windows-1252 text";
    return false;
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    if (m_at >= m_text.size() || !m_fault.empty()) return false;
    ++m_row;
    std::size_t count = 0;
    for (;;) {
        if (count == fields.size()) fields.emplace_back();
        std::string& field = fields[count++];
        field.clear();
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            if (!QuotedField(field, count)) return false;
        } else {
            PlainField(field);
        }
        if (m_at == m_text.size() || SkipRowEnd()) break;
        ++m_at;  // the delimiter
    }
    fields.resize(count);
    return true;
}

bool CsvReader::QuotedField(std::string& field, std::size_t column) {
    const std::size_t opened = m_at++;
    for (;;) {
        const std::size_t quote = m_text.find('"', m_at);
        if (quote == std::string_view::npos) {
            m_at = opened;
            m_fault = "the quoted field never ends";
            m_faultColumn = column;
            return false;
        }
        field.append(m_text.data() + m_at, quote - m_at);
        m_at = quote + 1;
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            field += '"';
            ++m_at;
            continue;
        }
        break;
    }
    if (m_at == m_text.size() || m_text[m_at] == m_delimiter || IsRowEnd(m_text[m_at])) {
        return true;
    }
    m_fault = "there is text after the closing quote";
    m_faultColumn = column;
    return false;
}

void CsvReader::PlainField(std::string& field) {
    const std::size_t start = m_at;
    while (m_at < m_text.size() && m_text[m_at] != m_delimiter && !IsRowEnd(m_text[m_at])) {
        ++m_at;
    }
    field.assign(m_text.data() + start, m_at - start);
}

bool CsvReader::SkipRowEnd() {
    if (!IsRowEnd(m_text[m_at])) return false;
    if (m_text[m_at] == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n') ++m_at;
    ++m_at;
    return true;
}
