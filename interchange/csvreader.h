#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reads the records of a CSV file as spreadsheets save them: with or without
// a UTF-8 byte order mark, rows ended by CR LF or LF, "," or ";" between the
// fields (whichever the header row uses), fields in double quotes with the
// quotes doubled and line breaks inside. Fields come out as the file's
// bytes; Utf8() says how to read them.
class CsvReader {
  public:
    explicit CsvReader(std::string_view bytes);

    // UTF-8 when the file says so with its byte order mark or is valid UTF-8
    // throughout; otherwise its bytes are Windows-1252.
    bool Utf8() const { return m_utf8; }
    // Whether every byte of the file is valid UTF-8.
    bool ValidUtf8() const { return m_validUtf8; }
    char Delimiter() const { return m_delimiter; }

    // A field's text in Windows-1252, the code page of a campaign; false,
    // with why, for bytes that are not UTF-8 in a UTF-8 file or a character
    // the code page cannot hold.
    bool Text(const std::string& field, std::string& cp1252, std::string& why) const;

    // The next record's fields; false at the end of the file or at a fault,
    // which Fault() then describes.
    bool Next(std::vector<std::string>& fields);
    // The record last read, counted from 1 for the header, as a spreadsheet
    // numbers its rows.
    std::size_t Row() const { return m_row; }
    // What is wrong ("the quoted field never ends") and in which field of
    // the row, counted from 1.
    const std::string& Fault() const { return m_fault; }
    std::size_t FaultColumn() const { return m_faultColumn; }
    // How far the reading has come, in bytes of the text.
    std::size_t Offset() const { return m_at; }
    std::size_t Size() const { return m_text.size(); }

  private:
    bool QuotedField(std::string& field, std::size_t column);
    void PlainField(std::string& field);
    // Past the row end at m_at, if any; true when there was one.
    bool SkipRowEnd();

    std::string_view m_text;
    std::size_t m_at = 0;
    std::size_t m_row = 0;
    char m_delimiter = ',';
    bool m_utf8 = true;
    bool m_validUtf8 = true;
    std::string m_fault;
    std::size_t m_faultColumn = 0;
};
