#include "interchange/jsonfieldreader.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "interchange/doubletext.h"
#include "interchange/jsonstructure.h"
#include "interchange/strictcp1252.h"
#include "interchange/textposition.h"

namespace {

constexpr const char* kWhiteSpace = " \t\r\n";

std::string_view TokenText(std::string_view token) {
    const std::size_t end = token.find_first_of(",]} \t\r\n");
    return token.substr(0, std::min<std::size_t>(end, 40));
}

bool IsNumberStart(char first) { return first == '-' || (first >= '0' && first <= '9'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as JSON writes it: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string_view text) {
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < text.size() && IsDigit(text[at])) ++at;
        return at > start;
    };
    if (at < text.size() && text[at] == '-') ++at;
    if (at < text.size() && text[at] == '0') {
        ++at;
    } else if (!digits()) {
        return false;
    }
    if (at < text.size() && text[at] == '.' && (++at, !digits())) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (!digits()) return false;
    }
    return at == text.size();
}

// What a value is, as a refusal names it; empty when it is no JSON value at
// all (a misspelt word, a number JSON does not allow).
std::string KindOf(std::string_view token) {
    const std::string_view text = TokenText(token);
    switch (token.front()) {
        case '"':
            return "a string";
        case '{':
            return "an object";
        case '[':
            return "an array";
        default:
            break;
    }
    if (text == "true" || text == "false" || text == "null") return std::string(text);
    return IsJsonNumber(text) ? "a number" : std::string();
}

bool IsIntegerText(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string CodePointText(char32_t code) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, std::uint32_t(code), 16).ptr;
    std::string hex(digits, end);
    for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return "U+" + std::string(hex.size() < 4 ? 4 - hex.size() : 0, '0') + hex;
}

}  // namespace

JsonFieldReader::JsonFieldReader(simdjson::padded_string_view text, std::string what, int)
    : m_text(text), m_what(std::move(what)) {
    if (const auto error = m_parser.iterate(text).get(m_document)) FailParser(error);
    m_iterating = true;
}

simdjson::padded_string_view JsonFieldReader::SkipByteOrderMark(simdjson::padded_string_view text) {
    const std::string_view rest = WithoutByteOrderMark(text);
    const std::size_t skipped = text.size() - rest.size();
    return simdjson::padded_string_view(rest.data(), rest.size(), text.capacity() - skipped);
}

std::size_t JsonFieldReader::FieldIndex(std::string_view key,
                                        std::span<const std::string_view> keys,
                                        std::size_t expected, const char* at) {
    if (expected < keys.size() && keys[expected] == key) return expected;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) return i;
    }
    Fail("there is no field \"" + std::string(key) + "\" here", at);
}

void JsonFieldReader::CheckAllSeen(const std::vector<bool>& seen,
                                   std::span<const std::string_view> keys, const char* start) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!seen[i]) Fail("the field \"" + std::string(keys[i]) + "\" is missing", start);
    }
}

simdjson::ondemand::object JsonFieldReader::Object(Value& value) {
    simdjson::ondemand::object object;
    if (value.get_object().get(object) != simdjson::SUCCESS) FailType("an object", value);
    return object;
}

simdjson::ondemand::array JsonFieldReader::Array(Value& value) {
    simdjson::ondemand::array array;
    if (value.get_array().get(array) != simdjson::SUCCESS) FailType("an array", value);
    return array;
}

const char* JsonFieldReader::Start(Value& value) { return value.raw_json_token().data(); }

void JsonFieldReader::ReportPosition(Value& value) {
    m_progress->Step(Start(value) - m_text.data(), std::int64_t(m_text.size()), kBytesRead);
}

std::string_view JsonFieldReader::ReadUtf8(Value& value) {
    const char* start = Start(value);
    if (*start != '"') FailType("a string", value);
    std::string_view text;
    if (const auto error = value.get_string().get(text)) {
        Fail(std::string("the string is not valid JSON (") + simdjson::error_message(error) + ")",
             start);
    }
    return text;
}

CString JsonFieldReader::ReadString(Value& value) {
    const char* start = Start(value);
    const std::string_view utf8 = ReadUtf8(value);
    CString text;
    char32_t rejected = 0;
    if (!StrictCp1252FromUtf8(utf8, text, rejected)) {
        Fail("the character " + CodePointText(rejected) +
                 " cannot be held in a campaign, whose texts are Windows-1252",
             start);
    }
    return text;
}

int JsonFieldReader::ReadInt(Value& value) {
    const std::string_view token = value.raw_json_token();
    const std::string_view text = TokenText(token);
    if (!IsNumberStart(token.front()) || !IsJsonNumber(text)) FailType("a whole number", value);
    std::int64_t number = 0;
    const bool found = value.get_int64().get(number) == simdjson::SUCCESS;
    if (!found && !IsIntegerText(text)) {
        Fail("expected a whole number, found " + std::string(text), token.data());
    }
    if (!found || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        Fail("the number " + std::string(text) +
                 " lies outside the range of a whole number (-2147483648 to 2147483647)",
             token.data());
    }
    return static_cast<int>(number);
}

BOOL JsonFieldReader::ReadBool(Value& value) {
    const char first = value.raw_json_token().front();
    if (IsNumberStart(first)) return ReadInt(value);
    bool flag = false;
    if (value.get_bool().get(flag) != simdjson::SUCCESS) {
        FailType("true, false or a whole number", value);
    }
    return flag ? TRUE : FALSE;
}

double JsonFieldReader::ReadDouble(Value& value) {
    const std::string_view token = value.raw_json_token();
    if (token.front() == '"') {
        const std::string_view text = ReadUtf8(value);
        if (const auto special = DoubleFromSpecialText(text)) return *special;
        Fail("\"" + std::string(text.substr(0, 40)) +
                 "\" is not a number: only \"Infinity\", \"-Infinity\", \"NaN\" and "
                 "\"NaN:0x\" with 16 hex digits may stand for one",
             token.data());
    }
    if (!IsNumberStart(token.front()) || !IsJsonNumber(TokenText(token))) {
        FailType("a number", value);
    }
    double number = 0;
    if (const auto error = value.get_double().get(number)) {
        Fail("the number " + std::string(TokenText(token)) + " cannot be read (" +
                 simdjson::error_message(error) + ")",
             token.data());
    }
    return number;
}

void JsonFieldReader::FailType(const char* expected, Value& value) {
    const std::string_view token = value.raw_json_token();
    // Every list element is looked at for a closing bracket before it is read,
    // so one here stands right after a field's colon: the value is missing.
    if (token.front() == ']' || token.front() == '}') {
        Fail(std::string("expected ") + expected + ", found nothing before the \"" + token.front() +
                 "\"",
             token.data());
    }
    const std::string found = KindOf(token);
    const std::string text(TokenText(token));
    if (found.empty() && (token.front() == 't' || token.front() == 'f')) {
        Fail("expected true or false, found " + text, token.data());
    }
    Fail(std::string("expected ") + expected + ", found " +
             (found.empty() ? text + ", which is not a JSON value" : found),
         token.data());
}

void JsonFieldReader::FailTrailingComma(const char* closing) {
    const char* comma = closing;
    while (comma > m_text.data() && comma[0] != ',') --comma;
    Fail(std::string("a trailing comma: nothing follows it before the \"") + *closing + "\"", comma,
         JsonStructure::Of(m_text, std::size_t(comma - m_text.data())).pathAt);
}

const char* JsonFieldReader::WhereParserStopped() {
    const char* at = nullptr;
    const std::size_t first = m_text.find_first_not_of(kWhiteSpace);
    const bool located = m_iterating && m_document.current_location().get(at) == simdjson::SUCCESS;
    // A fault the parser only noticed at the top level (text after the end,
    // an object never closed) shows at the last thing in the text.
    if (located && at != m_text.data() + first) return at;
    const std::size_t last = m_text.find_last_not_of(kWhiteSpace);
    return m_text.data() + (last == std::string_view::npos ? m_text.size() : last);
}

void JsonFieldReader::FailParser(simdjson::error_code error) {
    // The parser names the value it was reading; a walk over the text finds
    // the fault itself and its path.
    const LexicalFault fault = FirstLexicalFault(m_text);
    if (fault.offset < m_text.size()) {
        Fail(fault.what, m_text.data() + fault.offset,
             JsonStructure::Of(m_text, fault.offset).pathAt);
    }
    const JsonStructure structure = JsonStructure::Of(m_text);
    if (structure.trailingComma != JsonStructure::npos) {
        const std::size_t closing = m_text.find_first_of("]}", structure.trailingComma);
        FailTrailingComma(m_text.data() + closing);
    }
    if (structure.textAfter != JsonStructure::npos) {
        FailTextAfter(m_text.data() + structure.textAfter, "$");
    }
    Fail(std::string("this is not valid JSON (") + simdjson::error_message(error) + ")",
         WhereParserStopped());
}

void JsonFieldReader::FailTextAfter(const char* at, const std::string& path) {
    Fail("there is text after the " + m_what, at, path);
}

void JsonFieldReader::Fail(const std::string& message, const char* at) {
    Fail(message, at, PathText());
}

void JsonFieldReader::Fail(const std::string& message, const char* at, const std::string& path) {
    const std::size_t offset = at >= m_text.data() && at <= m_text.data() + m_text.size()
                                   ? static_cast<std::size_t>(at - m_text.data())
                                   : m_text.size();
    throw JsonInputError(message, offset, path);
}

std::string JsonFieldReader::PathText() const {
    std::string path = "$";
    for (const PathPart& part : m_path) {
        if (const auto* index = std::get_if<std::size_t>(&part)) {
            path += "[" + std::to_string(*index) + "]";
        } else {
            path += "." + std::string(std::get<std::string_view>(part));
        }
    }
    return path;
}
