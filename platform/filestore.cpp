#include "platform/filestore.h"

#include "platform/filebytes.h"
#include "platform/safefile.h"

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    FileBytes file;
    if (!file.Read(path, error)) return false;
    bytes.assign(file.View());
    return true;
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& error) {
    return WriteFileSafely(
        path, [bytes](const ByteSink& sink) { sink(bytes.data(), bytes.size()); }, error);
}

bool WriteFileSafely(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                     std::string& error) {
    SafeFile file(path);
    if (file.Open()) {
        produce([&file](const char* data, std::size_t size) { file.Write(data, size); });
        if (file.Commit()) return true;
    }
    error = file.Error();
    return false;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
