#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A file written through a temporary file beside its target, which replaces
// the target only when every byte was written, synced and closed without an
// error. Until then the target stays as it was, byte for byte; a file that is
// not committed leaves no temporary behind. Paths are UTF-8.
class SafeFile {
  public:
    enum class Durability { WaitForDisk, NoWait };
    // A target that does not exist yet may be created under its own name
    // (exclusively, so nothing else's file is touched) and is removed again
    // when it is not committed: it was nobody's file before. That saves a
    // rename per file where many small new files are written.
    enum class Placement { BesideThenRename, InPlaceWhenNew };

    explicit SafeFile(std::string path, Durability durability = Durability::WaitForDisk,
                      Placement placement = Placement::BesideThenRename);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    bool Open();
    // Buffered; false once anything failed.
    bool Write(const char* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Makes the written bytes the target's content.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Cancel();

    bool Failed() const { return !m_error.empty(); }
    // A sentence naming the file and the system's reason.
    const std::string& Error() const { return m_error; }
    // Whether the committed file took the place of one that existed.
    bool ReplacedExisting() const { return m_replacedExisting; }

  private:
    bool Fail(const char* what);
    bool FlushBuffer();
    bool WriteAll(const char* data, std::size_t size);
    std::string OpenTemporary();
    bool OpenInPlace();

    std::string m_path;
    std::string m_temporary;  // removed when not committed
    Durability m_durability;
    Placement m_placement;
    bool m_renameOnCommit = true;
    int m_fd = -1;
    std::string m_buffer;
    std::string m_error;
    bool m_replacedExisting = false;
};
