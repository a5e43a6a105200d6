#pragma once
// Walks the lines of a text held in memory without copying them. Lines end at CR LF, LF or a
// lone CR, as SplitLines reads them; a final line break does not start another line. Each
// step is linear in the bytes it passes, whatever the mix of line ends.
#include <cstring>
#include <string_view>

namespace quill {

class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {
        lf_ = Find('\n', 0);
        cr_ = Find('\r', 0);
    }

    bool atEnd() const { return pos_ >= text_.size(); }

    // The next line, or false at the end of the text.
    bool next(std::string_view& line) {
        const std::size_t n = text_.size();
        if (pos_ >= n) return false;
        if (lf_ < pos_) lf_ = Find('\n', pos_);
        if (cr_ < pos_) cr_ = Find('\r', pos_);
        const std::size_t end = lf_ < cr_ ? lf_ : cr_;
        line = text_.substr(pos_, end - pos_);
        if (end >= n)
            pos_ = n;
        else if (text_[end] == '\r' && end + 1 < n && text_[end + 1] == '\n')
            pos_ = end + 2;
        else
            pos_ = end + 1;
        return true;
    }

    // The next line, or the empty line at the end of the text (as a line-by-line reader gives).
    std::string_view nextOrEmpty() {
        std::string_view line;
        return next(line) ? line : std::string_view();
    }

private:
    std::size_t Find(char c, std::size_t from) const {
        if (from >= text_.size()) return text_.size();
        const void* p = std::memchr(text_.data() + from, c, text_.size() - from);
        return p ? static_cast<std::size_t>(static_cast<const char*>(p) - text_.data())
                 : text_.size();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lf_ = 0;  // next LF at or after pos_ (or the end), recomputed once passed
    std::size_t cr_ = 0;  // next CR likewise
};

}  // namespace quill
