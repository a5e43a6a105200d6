#pragma once
// Bounds-checked little-endian access to fixed-layout records. Reading or writing past the
// end throws FormatError; nothing here has undefined behaviour on short or corrupt data.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quill {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }

    std::uint8_t u8(std::size_t off) const;
    std::uint16_t u16(std::size_t off) const;
    std::uint32_t u32(std::size_t off) const;
    std::int32_t i32(std::size_t off) const { return static_cast<std::int32_t>(u32(off)); }
    // string[capacity]: a length byte then capacity bytes. A length byte above the capacity
    // (a corrupt record) is taken as the capacity.
    std::string shortString(std::size_t off, std::size_t capacity) const;
    std::string_view raw(std::size_t off, std::size_t count) const;

private:
    void check(std::size_t off, std::size_t count) const;
    std::span<const std::uint8_t> bytes_;
};

// Appends v to `out` as four little-endian bytes (for records built by appending).
inline void AppendU32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// The bytes of a string as the readers take them.
inline std::span<const std::uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class ByteWriter {
public:
    explicit ByteWriter(std::span<std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }

    void u8(std::size_t off, std::uint8_t v);
    void u16(std::size_t off, std::uint16_t v);
    void u32(std::size_t off, std::uint32_t v);
    void i32(std::size_t off, std::int32_t v) { u32(off, static_cast<std::uint32_t>(v)); }
    // Writes the length byte and the characters, cut to the capacity. The bytes after the
    // text are left as they are, so bytes a record already holds there survive a rewrite.
    void shortString(std::size_t off, std::size_t capacity, std::string_view text);
    void raw(std::size_t off, std::string_view bytes);

private:
    void check(std::size_t off, std::size_t count) const;
    std::span<std::uint8_t> bytes_;
};

}  // namespace quill
