#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/types.h"

// Raised when a load cannot go on: the file ended early or holds a count that
// cannot be true. Offset is where the failing value starts.
class CArchiveException : public std::runtime_error {
  public:
    CArchiveException(const std::string& what, std::size_t offset)
        : std::runtime_error(what), m_offset(offset) {}
    std::size_t Offset() const { return m_offset; }

  private:
    std::size_t m_offset;
};

// The document stream: 4-byte little-endian integers, 8-byte IEEE doubles and
// length-prefixed single-byte strings, nothing else. Stores into a byte
// buffer or loads from one.
class CArchive {
  public:
    static constexpr std::uint32_t kUnknownSchema = 0xFFFFFFFF;

    using Sink = std::function<void(const char* data, std::size_t size)>;

    // Storing hands the bytes to sink in pieces of bufferBytes; Flush passes
    // on the rest. Large pieces suit files, small ones a single record.
    static constexpr std::size_t kFileBuffer = std::size_t(1) << 20;
    explicit CArchive(Sink sink, std::size_t bufferBytes = kFileBuffer);
    ~CArchive();
    void Flush();
    static Sink AppendTo(std::string& bytes) {
        return [&bytes](const char* data, std::size_t size) { bytes.append(data, size); };
    }
    CArchive(const char* data, std::size_t size);

    bool IsStoring() const { return bool(m_sink); }
    bool IsLoading() const { return !m_sink; }

    // The numbers inline: a large document holds millions of them.
    CArchive& operator<<(std::int32_t value) { return Store(value); }
    CArchive& operator<<(double value) { return Store(value); }
    CArchive& operator<<(const CString& text);
    CArchive& operator>>(std::int32_t& value) { return Load(value); }
    CArchive& operator>>(double& value) { return Load(value); }
    CArchive& operator>>(CString& text);

    // Loading is told now and then that it will never again read before
    // position; done, when set, hears of it at most every 256 KB.
    using Done = std::function<void(std::size_t position)>;
    void SetDone(Done done) { m_done = std::move(done); }
    void MarkDone(std::size_t position) {
        if (m_done && position - m_doneAt >= kDoneStep) [[unlikely]] {
            m_done(position);
            m_doneAt = position;
        }
    }

    // Reads a list count and refuses one that is negative or that the rest of
    // the file could not hold at minRecordBytes a record, before anyone
    // allocates for it.
    std::size_t ReadCount(std::size_t minRecordBytes);

    // No load ever sets a schema, so a reader always sees the unknown value.
    std::uint32_t GetObjectSchema() const { return kUnknownSchema; }
    std::uint32_t m_nObjectSchema = kUnknownSchema;

    std::size_t GetPosition() const { return m_pos; }
    std::size_t BytesLeft() const { return m_size - m_pos; }

  private:
    // Loading reads through here: the next count bytes, or the end-of-file
    // error. Inline, as it runs for every value of a large file.
    const char* Take(std::size_t count, const char* what) {
        if (count > BytesLeft()) [[unlikely]]
            ThrowEndOfFile(what);
        const char* at = m_data + m_pos;
        m_pos += count;
        return at;
    }
    [[noreturn]] void ThrowEndOfFile(const char* what) const;
    template <class Number>
    CArchive& Store(Number value) {
        Append(&value, sizeof value);
        return *this;
    }
    template <class Number>
    CArchive& Load(Number& value) {
        std::memcpy(&value, Take(sizeof value, "a number"), sizeof value);
        return *this;
    }
    // True when the prefix announces a wide-character string.
    bool ReadLengthPrefix(std::size_t& length);
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    // Storing writes through here: straight into the buffer while it has
    // room, without the growth checks of a string. Inline for the same reason.
    void Append(const void* bytes, std::size_t count) {
        m_pos += count;
        if (count > std::size_t(m_storeEnd - m_storeAt)) [[unlikely]]
            return AppendPastBuffer(bytes, count);
        std::memcpy(m_storeAt, bytes, count);
        m_storeAt += count;
    }
    void AppendPastBuffer(const void* bytes, std::size_t count);

    static constexpr std::size_t kDoneStep = 256 << 10;

    Sink m_sink;
    Done m_done;
    std::size_t m_doneAt = 0;
    std::unique_ptr<char[]> m_store;
    char* m_storeAt = nullptr;
    char* m_storeEnd = nullptr;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
};
