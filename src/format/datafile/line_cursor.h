#pragma once
// Walks the lines of a text held in memory without copying them. Lines end at CR LF, LF or a
// lone CR, as SplitLines reads them; a final line break does not start another line. Each
// step is linear in the bytes it passes, whatever the mix of line ends. (Short lines are
// scanned eight bytes at a time in little-endian order, the order of every host we build on.)
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quill {

class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    // The next line, or false at the end of the text.
    bool next(std::string_view& line) {
        const std::size_t n = text_.size();
        if (pos_ >= n) return false;
        // Most lines are short: look at their bytes directly, eight at a time; a long line is
        // searched with memchr for each kind of line end, remembering where the next of each
        // lies.
        const std::size_t quick = n - pos_ > kQuickScan ? pos_ + kQuickScan : n;
        std::size_t end = pos_;
        bool found = false;
        while (end + 8 <= quick) {
            std::uint64_t x;
            std::memcpy(&x, text_.data() + end, 8);
            if (const std::uint64_t m = LineEndMask(x)) {
                end += static_cast<std::size_t>(__builtin_ctzll(m)) >> 3;
                found = true;
                break;
            }
            end += 8;
        }
        if (!found) {
            while (end < quick && text_[end] != '\n' && text_[end] != '\r') ++end;
            found = end < quick;
        }
        if (!found && end < n) {
            if (lf_ < end) lf_ = Find('\n', end);
            if (cr_ < end) cr_ = Find('\r', end);
            end = lf_ < cr_ ? lf_ : cr_;
        }
        line = text_.substr(pos_, end - pos_);
        lineStart_ = true;
        if (end >= n)
            pos_ = n;
        else if (text_[end] == '\r' && end + 1 < n && text_[end + 1] == '\n')
            pos_ = end + 2;
        else
            pos_ = end + 1;
        return true;
    }

    // Moves to the start of the next line that begins with c (the lines passed over are not
    // split) without reading it; false when there is none (the cursor is then at the end).
    // Finding the few header lines of a large file this way costs little more than reading it.
    bool seekLineStartingWith(char c) {
        const std::size_t n = text_.size();
        std::size_t from = pos_;
        while (from < n) {
            const void* p = std::memchr(text_.data() + from, c, n - from);
            if (!p) break;
            const auto at = static_cast<std::size_t>(static_cast<const char*>(p) - text_.data());
            if ((at == pos_ && lineStart_) || (at > 0 && (text_[at - 1] == '\n' || text_[at - 1] == '\r'))) {
                pos_ = at;
                lineStart_ = true;
                return true;
            }
            from = at + 1;
        }
        pos_ = n;
        return false;
    }

    // The text from the cursor on.
    std::string_view rest() const { return text_.substr(pos_ < text_.size() ? pos_ : text_.size()); }

    // Steps over the first byte of the current line; the rest of it is still to be read (or
    // passed over by the next seek).
    void skipByte() {
        if (pos_ < text_.size()) ++pos_;
        lineStart_ = false;
    }

    // Passes over the lines up to the next one that begins with c and returns that line.
    bool nextStartingWith(char c, std::string_view& line) {
        return seekLineStartingWith(c) && next(line);
    }

    // The position of the cursor: the start of the next line after next(), or the end.
    std::size_t position() const { return pos_; }

    // The next line, or the empty line at the end of the text (as a line-by-line reader gives).
    std::string_view nextOrEmpty() {
        std::string_view line;
        return next(line) ? line : std::string_view();
    }

private:
    // The high bit set in each byte of x that is LF or CR (exact up to the first such byte,
    // which is all the caller uses; bytes are in little-endian order).
    static std::uint64_t LineEndMask(std::uint64_t x) {
        constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
        const std::uint64_t lf = x ^ (ones * '\n'), cr = x ^ (ones * '\r');
        return (((lf - ones) & ~lf) | ((cr - ones) & ~cr)) & highs;
    }

    std::size_t Find(char c, std::size_t from) const {
        if (from >= text_.size()) return text_.size();
        const void* p = std::memchr(text_.data() + from, c, text_.size() - from);
        return p ? static_cast<std::size_t>(static_cast<const char*>(p) - text_.data())
                 : text_.size();
    }

    static constexpr std::size_t kQuickScan = 64;
    std::string_view text_;
    std::size_t pos_ = 0;
    bool lineStart_ = true;  // pos_ is the start of a line
    // The first LF (CR) at or after the position a long line was searched from, or the end;
    // searched again once the cursor has passed it.
    std::size_t lf_ = 0;
    std::size_t cr_ = 0;
};

}  // namespace quill
