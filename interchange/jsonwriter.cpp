#include "interchange/jsonwriter.h"

#include <array>
#include <charconv>

#include "interchange/doubletext.h"
#include "platform/codepage.h"

namespace {

constexpr std::size_t kFlushSize = 1 << 16;
constexpr int kIndent = 2;

// What each Windows-1252 byte becomes inside a JSON string.
std::array<std::string, 256> MakeByteTexts() {
    std::array<std::string, 256> texts;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string utf8 = Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
        const bool control =
            byte < 0x20 || byte == 0x7F ||
            (utf8.size() == 2 && utf8[0] == '\xC2' && static_cast<unsigned char>(utf8[1]) < 0xA0);
        if (byte == '"' || byte == '\\') {
            texts[byte] = std::string("\\") + static_cast<char>(byte);
        } else if (byte == '\n') {
            texts[byte] = "\\n";
        } else if (byte == '\r') {
            texts[byte] = "\\r";
        } else if (byte == '\t') {
            texts[byte] = "\\t";
        } else if (control) {
            constexpr char kHex[] = "0123456789abcdef";
            texts[byte] = std::string("\\u00") + kHex[byte >> 4] + kHex[byte & 0xF];
        } else {
            texts[byte] = utf8;
        }
    }
    return texts;
}

bool NeedsEscapeOrConversion(unsigned char byte) {
    return byte < 0x20 || byte >= 0x7F || byte == '"' || byte == '\\';
}

}  // namespace

JsonWriter::JsonWriter(ByteSink sink) : m_sink(std::move(sink)) {
    m_buffer.reserve(2 * kFlushSize);
}

JsonWriter::JsonWriter(ByteSink sink, int depth) : JsonWriter(std::move(sink)) {
    m_levels.resize(std::size_t(depth));
    m_afterKey = true;  // the value starts without a separator
}

JsonWriter::~JsonWriter() {
    if (!m_buffer.empty()) m_sink(m_buffer.data(), m_buffer.size());
}

void JsonWriter::Finish() {
    Raw("\n");
    m_sink(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void JsonWriter::MaybeFlush() {
    if (m_buffer.size() < kFlushSize) return;
    m_sink(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void JsonWriter::NewLine() {
    Raw("\n");
    m_buffer.append(m_levels.size() * kIndent, ' ');
}

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) return;
    Level& level = m_levels.back();
    if (!level.empty) Raw(level.compact ? ", " : ",");
    if (!level.compact) NewLine();
    level.empty = false;
}

void JsonWriter::Begin(char bracket, bool compact) {
    BeforeValue();
    m_buffer += bracket;
    const bool insideCompact = !m_levels.empty() && m_levels.back().compact;
    m_levels.push_back({compact || insideCompact, true, bracket == '{' ? '}' : ']'});
}

void JsonWriter::BeginObject() { Begin('{', false); }

void JsonWriter::BeginArray(bool compact) { Begin('[', compact); }

void JsonWriter::End() {
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.empty && !level.compact) NewLine();
    m_buffer += level.closer;
    MaybeFlush();
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    m_buffer += '"';
    Raw(name);
    Raw("\": ");
    m_afterKey = true;
}

void JsonWriter::String(const CString& cp1252) {
    static const std::array<std::string, 256> byteTexts = MakeByteTexts();
    BeforeValue();
    m_buffer += '"';
    const char* run = cp1252.data();
    const char* const end = run + cp1252.size();
    for (const char* at = run; at != end; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        if (!NeedsEscapeOrConversion(byte)) continue;
        m_buffer.append(run, at);
        m_buffer += byteTexts[byte];
        run = at + 1;
    }
    m_buffer.append(run, end);
    m_buffer += '"';
    MaybeFlush();
}

void JsonWriter::Utf8String(std::string_view utf8) {
    static const std::array<std::string, 256> byteTexts = MakeByteTexts();
    BeforeValue();
    m_buffer += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == '"' || byte == '\\') {
            m_buffer += byteTexts[byte];
        } else {
            m_buffer += c;
        }
    }
    m_buffer += '"';
    MaybeFlush();
}

void JsonWriter::Int(int value) {
    BeforeValue();
    char text[16];
    Raw(std::string_view(text, std::to_chars(text, text + sizeof text, value).ptr));
}

void JsonWriter::Bool(BOOL value) {
    if (value == TRUE || value == FALSE) {
        BeforeValue();
        Raw(value ? "true" : "false");
    } else {
        Int(value);
    }
}

void JsonWriter::Null() {
    BeforeValue();
    Raw("null");
}

void JsonWriter::Written(std::string_view value) {
    BeforeValue();
    Raw(value);
    MaybeFlush();
}

void JsonWriter::Double(double value) {
    if (!IsJsonNumber(value)) {
        String(DoubleText(value));
        return;
    }
    BeforeValue();
    std::array<char, 32> buffer;
    Raw(FiniteDoubleText(value, buffer));
}
