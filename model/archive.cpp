#include "model/archive.h"

#include <bit>
#include <cstring>

#include "platform/codepage.h"

static_assert(std::endian::native == std::endian::little, "the stream is little-endian");

namespace {
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongMarker = 0xFFFF;
}  // namespace

CArchive::CArchive(Sink sink, std::size_t bufferBytes)
    : m_sink(std::move(sink)),
      m_store(new char[bufferBytes]),
      m_storeAt(m_store.get()),
      m_storeEnd(m_store.get() + bufferBytes) {}

CArchive::~CArchive() {
    if (IsStoring()) Flush();
}

void CArchive::Flush() {
    if (m_storeAt != m_store.get()) m_sink(m_store.get(), std::size_t(m_storeAt - m_store.get()));
    m_storeAt = m_store.get();
}

CArchive::CArchive(const char* data, std::size_t size) : m_data(data), m_size(size) {}

void CArchive::AppendPastBuffer(const void* bytes, std::size_t count) {
    Flush();
    if (count >= std::size_t(m_storeEnd - m_store.get())) {
        m_sink(static_cast<const char*>(bytes), count);
    } else {
        std::memcpy(m_storeAt, bytes, count);
        m_storeAt += count;
    }
}

CArchive& CArchive::operator<<(const CString& text) {
    const std::size_t n = text.size();
    const auto byte = [this](std::uint8_t b) { Append(&b, 1); };
    if (n < 0xFF) {
        byte(static_cast<std::uint8_t>(n));
    } else {
        byte(0xFF);
        if (n < kWideMarker) {
            const auto length = static_cast<std::uint16_t>(n);
            Append(&length, 2);
        } else {
            const std::uint16_t marker = kLongMarker;
            const auto length = static_cast<std::uint32_t>(n);
            Append(&marker, 2);
            Append(&length, 4);
        }
    }
    Append(text.data(), n);
    return *this;
}

void CArchive::ThrowEndOfFile(const char* what) const {
    throw CArchiveException(std::string("the file ends in the middle of ") + what, m_pos);
}

std::uint16_t CArchive::ReadUInt16() {
    std::uint16_t value;
    std::memcpy(&value, Take(2, "a string length"), 2);
    return value;
}

std::uint32_t CArchive::ReadUInt32() {
    std::uint32_t value;
    std::memcpy(&value, Take(4, "a string length"), 4);
    return value;
}

bool CArchive::ReadLengthPrefix(std::size_t& length) {
    const auto first = static_cast<std::uint8_t>(*Take(1, "a string length"));
    if (first < 0xFF) {
        length = first;
        return false;
    }
    const std::uint16_t word = ReadUInt16();
    length = word == kLongMarker ? ReadUInt32() : word;
    return word == kWideMarker;
}

CArchive& CArchive::operator>>(CString& text) {
    std::size_t length = 0;
    if (ReadLengthPrefix(length)) {
        // A UTF-16 string: only ever read, never written.
        ReadLengthPrefix(length);
        if (length > BytesLeft() / 2) Take(BytesLeft() + 1, "a string");
        std::u16string units(length, u'\0');
        std::memcpy(units.data(), Take(length * 2, "a string"), length * 2);
        text = Cp1252FromUtf16(units);
    } else {
        text.assign(Take(length, "a string"), length);
    }
    return *this;
}

std::size_t CArchive::ReadCount(std::size_t minRecordBytes) {
    const std::size_t at = m_pos;
    std::int32_t count;
    *this >> count;
    if (count < 0) {
        throw CArchiveException("the count " + std::to_string(count) + " is impossible", at);
    }
    if (static_cast<std::size_t>(count) > BytesLeft() / minRecordBytes) {
        throw CArchiveException(
            "the file ends before the " + std::to_string(count) + " records it announces", at);
    }
    return static_cast<std::size_t>(count);
}
