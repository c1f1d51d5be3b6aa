#pragma once

#include <simdjson.h>

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/progress.h"
#include "platform/types.h"

// A value of the input that cannot be taken: where it starts, its JSON path
// ($.ships[3].name) and what is wrong with it.
class JsonInputError : public std::runtime_error {
  public:
    JsonInputError(const std::string& what, std::size_t offset, std::string path)
        : std::runtime_error(what), m_offset(offset), m_path(std::move(path)) {}
    std::size_t Offset() const { return m_offset; }
    const std::string& Path() const { return m_path; }

  private:
    std::size_t m_offset;
    std::string m_path;
};

// Reads typed values from JSON text one after the other (simdjson's
// on-demand parser, no tree in between), keeping the path to the value being
// read so that every refusal can say where it happened. Any fault raises
// JsonInputError. Objects are read strictly: every field known, none twice,
// none missing.
class JsonFieldReader {
  public:
    using Value = simdjson::ondemand::value;

    template <class Record>
    struct Field {
        std::string_view key;
        void (*read)(JsonFieldReader& reader, Value& value, Record& record);
        bool optional = false;  // else an object without it is refused
    };

    // The text is read without a leading byte order mark; what names the
    // document in refusals.
    explicit JsonFieldReader(simdjson::padded_string_view text, std::string what = "campaign")
        : JsonFieldReader(SkipByteOrderMark(text), std::move(what), 0) {}

    // The top-level object, and that nothing but white space follows it.
    template <class Record, std::size_t N>
    void ReadDocument(const std::array<Field<Record>, N>& fields, Record& record);

    template <class Record, std::size_t N>
    void ReadObject(Value& value, const std::array<Field<Record>, N>& fields, Record& record);
    // Each element in turn, whatever the array's length.
    template <class Element>
    void ReadArray(Value& value, std::vector<Element>& elements,
                   void (*read)(JsonFieldReader&, Value&, Element&));
    // Exactly N elements.
    template <class Element, std::size_t N>
    void ReadArray(Value& value, std::array<Element, N>& elements,
                   void (*read)(JsonFieldReader&, Value&, Element&));

    CString ReadString(Value& value);
    int ReadInt(Value& value);
    BOOL ReadBool(Value& value);
    double ReadDouble(Value& value);
    // The raw text of a string, unconverted.
    std::string_view ReadUtf8(Value& value);

    // Where a value begins in the text, for a refusal.
    const char* Start(Value& value);
    // Where ReportPosition tells how far into the text the reading is.
    void SetProgress(Progress& progress) { m_progress = &progress; }
    void ReportPosition(Value& value);
    [[noreturn]] void Fail(const std::string& message, const char* at);
    [[noreturn]] void Fail(const std::string& message, const char* at, const std::string& path);

  private:
    using PathPart = std::variant<std::string_view, std::size_t>;

    JsonFieldReader(simdjson::padded_string_view text, std::string what, int);
    [[noreturn]] void FailTextAfter(const char* at, const std::string& path);
    static simdjson::padded_string_view SkipByteOrderMark(simdjson::padded_string_view text);

    // Runs each field's reader by its key.
    template <class Record, std::size_t N>
    void ReadFields(simdjson::ondemand::object& object, const char* start,
                    const std::array<Field<Record>, N>& fields, Record& record);
    std::size_t FieldIndex(std::string_view key, std::span<const std::string_view> keys,
                           std::size_t expected, const char* at);
    void CheckAllSeen(const std::vector<bool>& seen, std::span<const std::string_view> keys,
                      const char* start);
    // Runs read on every element, keeping the index in the path; returns the count.
    template <class ReadElement>
    std::size_t ForEachElement(simdjson::ondemand::array& array, ReadElement read);
    simdjson::ondemand::array Array(Value& value);
    simdjson::ondemand::object Object(Value& value);

    // The offset of the value the parser stopped at, or of the first lexical fault.
    const char* WhereParserStopped();
    [[noreturn]] void FailParser(simdjson::error_code error);
    [[noreturn]] void FailType(const char* expected, Value& value);
    // A value that is a closing bracket: the comma before it closes nothing.
    [[noreturn]] void FailTrailingComma(const char* closing);
    std::string PathText() const;

    std::string_view m_text;
    std::string m_what;
    simdjson::ondemand::parser m_parser;
    simdjson::ondemand::document m_document;
    std::vector<PathPart> m_path;
    Progress* m_progress = &Unwatched();
    bool m_iterating = false;
};

#include "interchange/jsonfieldreader_impl.h"
