#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/writetarget.h"

// A file written through a temporary file beside its target, which replaces
// the target only when every byte was written, synced and closed without an
// error. Until then the target stays as it was, byte for byte; a file that is
// not committed leaves no temporary behind. Paths are UTF-8. What the target
// is (a symbolic link, a pipe or device, a read-only file) decides how it is
// written: see WriteTarget.
class SafeFile {
  public:
    enum class Durability { WaitForDisk, NoWait };
    // NeverReplace: the file appears under its name only if no file has it
    // by then; otherwise Commit fails with "File exists" and the other file
    // stays.
    enum class Placement { Replace, NeverReplace };

    explicit SafeFile(std::string path, Durability durability = Durability::WaitForDisk,
                      Placement placement = Placement::Replace);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    bool Open();
    // Buffered; false once anything failed.
    bool Write(const char* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Makes the written bytes the target's content: Finish, then Install.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Cancel();

    // The two halves of Commit, for files that must appear together (see
    // SafeFileGroup). Finish writes out, syncs and closes the temporary
    // file, which then holds no descriptor; Install moves it into place.
    bool Finish();
    // With keepPrevious, the file it replaces is kept aside until
    // DropPrevious, so that Uninstall can put it back.
    bool Install(bool keepPrevious = false);
    void Uninstall();
    void DropPrevious();

    // Whether the bytes go straight to a pipe, device or the standard output.
    bool Streams() const { return m_target.kind == WriteTarget::Kind::Stream; }
    bool Failed() const { return !m_error.empty(); }
    // A sentence naming the file and the system's reason.
    const std::string& Error() const { return m_error; }

  private:
    bool Fail(const char* what);
    bool Refuse(const std::string& reason);
    bool FlushBuffer();
    bool WriteAll(const char* data, std::size_t size);
    bool OpenTemporary();
    bool OpenStream();

    std::string m_path;
    WriteTarget m_target;
    std::string m_temporary;  // removed when not installed
    std::string m_previous;   // the replaced file, kept aside while installing
    Durability m_durability;
    Placement m_placement;
    int m_fd = -1;
    bool m_finished = false;
    bool m_installed = false;
    std::string m_buffer;
    std::string m_error;
};
