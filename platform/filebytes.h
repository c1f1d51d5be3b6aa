#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A whole file read into memory in one go. The memory is not zero-filled
// before the read writes it, and a reader that is done with the front part
// can give that part back while it goes on: a large document then never
// costs its file and its records in memory at the same time.
class FileBytes {
  public:
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    // On failure returns false with a sentence that names the file and the
    // reason, and holds no bytes. A pipe, FIFO or device is read until it
    // ends; a FIFO that no program writes to is given up after a while.
    bool Read(const std::string& path, std::string& error);

    std::string_view View() const { return {m_data, m_size}; }

    // Gives back the whole large pages before offset; they read as zero
    // afterwards.
    void ReleaseBefore(std::size_t offset);

  private:
    void Unmap();
    bool Place(std::string_view bytes, const std::string& path, std::string& error);

    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_released = 0;
};
