#include "text/byte_io.h"

#include <algorithm>
#include <cstring>

#include "text/errors.h"

namespace quill {

namespace {
[[noreturn]] void OutOfRange(std::size_t off, std::size_t count, std::size_t size) {
    throw FormatError("record access of " + std::to_string(count) + " bytes at offset " +
                      std::to_string(off) + " is past the end of a " + std::to_string(size) +
                      "-byte record");
}
}  // namespace

void ByteReader::check(std::size_t off, std::size_t count) const {
    if (off > bytes_.size() || count > bytes_.size() - off) OutOfRange(off, count, bytes_.size());
}

std::uint8_t ByteReader::u8(std::size_t off) const {
    check(off, 1);
    return bytes_[off];
}

std::uint16_t ByteReader::u16(std::size_t off) const {
    check(off, 2);
    return static_cast<std::uint16_t>(bytes_[off] | (bytes_[off + 1] << 8));
}

std::uint32_t ByteReader::u32(std::size_t off) const {
    check(off, 4);
    return static_cast<std::uint32_t>(bytes_[off]) | (static_cast<std::uint32_t>(bytes_[off + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[off + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[off + 3]) << 24);
}

std::string ByteReader::shortString(std::size_t off, std::size_t capacity) const {
    check(off, capacity + 1);
    const std::size_t len = std::min<std::size_t>(bytes_[off], capacity);
    return std::string(reinterpret_cast<const char*>(bytes_.data() + off + 1), len);
}

std::string_view ByteReader::raw(std::size_t off, std::size_t count) const {
    check(off, count);
    return {reinterpret_cast<const char*>(bytes_.data() + off), count};
}

void ByteWriter::check(std::size_t off, std::size_t count) const {
    if (off > bytes_.size() || count > bytes_.size() - off) OutOfRange(off, count, bytes_.size());
}

void ByteWriter::u8(std::size_t off, std::uint8_t v) {
    check(off, 1);
    bytes_[off] = v;
}

void ByteWriter::u16(std::size_t off, std::uint16_t v) {
    check(off, 2);
    bytes_[off] = static_cast<std::uint8_t>(v);
    bytes_[off + 1] = static_cast<std::uint8_t>(v >> 8);
}

void ByteWriter::u32(std::size_t off, std::uint32_t v) {
    check(off, 4);
    for (int i = 0; i < 4; ++i) bytes_[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void ByteWriter::shortString(std::size_t off, std::size_t capacity, std::string_view text) {
    check(off, capacity + 1);
    const std::size_t len = std::min(text.size(), capacity);
    bytes_[off] = static_cast<std::uint8_t>(len);
    if (len) std::memcpy(bytes_.data() + off + 1, text.data(), len);
}

void ByteWriter::raw(std::size_t off, std::string_view bytes) {
    check(off, bytes.size());
    if (!bytes.empty()) std::memcpy(bytes_.data() + off, bytes.data(), bytes.size());
}

}  // namespace quill
