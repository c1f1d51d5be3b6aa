#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/filestore.h"
#include "platform/types.h"

// Writes indented JSON piece by piece to a sink, so that a large campaign
// never sits in memory as text. Strings are taken as Windows-1252 bytes and
// written as UTF-8; the five bytes the code page leaves undefined become the
// C1 controls of the same value (written as \u escapes), so every byte comes
// back on reading.
class JsonWriter {
  public:
    explicit JsonWriter(ByteSink sink);
    // A writer of one value that another writer takes whole (see Written),
    // its lines indented as at that depth of nesting.
    JsonWriter(ByteSink sink, int depth);
    ~JsonWriter();

    // A compact container keeps its values on one line.
    void BeginObject();
    void BeginArray(bool compact = false);
    void End();
    void Key(std::string_view name);

    void String(const CString& cp1252);
    // Text that is UTF-8 already, such as a file path.
    void Utf8String(std::string_view utf8);
    void Int(int value);
    // 0 and 1 are false and true; any other stored value stays a number.
    void Bool(BOOL value);
    void Double(double value);
    void Null();
    // A value that a writer made at this writer's depth, so that a text
    // which does not change need not be made again.
    void Written(std::string_view value);

    // Passes everything written so far to the sink; the end of the text
    // gets a line break.
    void Finish();

  private:
    struct Level {
        bool compact = false;
        bool empty = true;
        char closer = '}';
    };

    void Begin(char bracket, bool compact);
    void BeforeValue();
    void NewLine();
    void Raw(std::string_view text) { m_buffer.append(text); }
    void MaybeFlush();

    ByteSink m_sink;
    std::string m_buffer;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
