#pragma once
// LineBuffer: the lines of a chapter held as the file's own bytes, one buffer, so that memory
// follows the size of the chapter and not its number of lines (a vector of strings costs some
// fifty bytes a line: a chapter of a hundred million empty lines would take gigabytes).
//
// Lines end at CR LF, LF or a lone CR, as SplitLines splits them; a final line break does not
// start another line. Reading the lines in order costs no more than a scan of the bytes; a jump
// to any line starts from the nearest of the checkpoints kept every kStride lines.
//
// Not safe to share between threads while it is read (the position of the last line read is
// kept to make reading in order cheap); each user holds its own.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class LineBuffer {
public:
    LineBuffer() = default;
    explicit LineBuffer(std::string bytes);
    // The lines given one by one, kept as given even when one holds a CR or LF of its own (they
    // are joined into one buffer, and where each starts is kept).
    explicit LineBuffer(const std::vector<std::string>& lines);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Line i (0-based) without its line break; valid while this object lives.
    std::string_view operator[](std::size_t i) const;
    // The lines as strings (for callers that keep their own copies).
    std::vector<std::string> ToVector() const;
    // The bytes as read.
    const std::string& bytes() const { return bytes_; }

    class const_iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        std::string_view operator*() const { return (*lines_)[at_]; }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }

    private:
        friend class LineBuffer;
        const_iterator(const LineBuffer* lines, std::size_t at) : lines_(lines), at_(at) {}
        const LineBuffer* lines_ = nullptr;
        std::size_t at_ = 0;  // the line's index
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

    // A line that starts with '@' or '&' (labels and markers of a chapter): its index and where
    // its bytes lie. These are found while the bytes are split, so that a reader who looks only
    // at them (the chapter checker's marker index) does not read the whole chapter for them.
    struct MarkedLine {
        std::size_t index, start, size;
    };
    const std::vector<MarkedLine>& MarkedLines() const { return marked_; }
    // The line of a MarkedLine of this buffer, as operator[] gives it.
    std::string_view LineOf(const MarkedLine& m) const { return std::string_view(bytes_).substr(m.start, m.size); }

    // Calls f(i, line) for every line in order: one pass, no lookup.
    template <class F>
    void ForEachLine(F&& f) const {
        const std::string_view bytes = bytes_;
        if (!starts_.empty()) {
            for (std::size_t i = 0; i < size_; ++i)
                f(i, std::string_view(bytes.data() + starts_[i], starts_[i + 1] - 2 - starts_[i]));
            return;
        }
        std::size_t start = 0;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::size_t end = FindBreak(bytes, start);
            f(i, std::string_view(bytes.data() + start, end - start));
            start = NextStartIn(bytes, end);
        }
    }

    // Reads the lines of a buffer mostly in order, as a reader that walks a chapter does: the
    // line after the one last read is found from where that one ended, inline (no call, no
    // checkpoint); the line last read again is kept; any other goes through operator[]. Each
    // user holds its own cursor; it is valid while the buffer lives unchanged.
    class Cursor {
    public:
        explicit Cursor(const LineBuffer& lines) : lines_(&lines) {}
        // Line i (0-based) without its line break, as operator[] gives it.
        [[gnu::always_inline]] std::string_view operator[](std::size_t i) {
            if (i == next_ && i < lines_->size_) {
                const std::string_view bytes = lines_->bytes_;
                std::size_t start, end;
                if (!lines_->starts_.empty()) {
                    start = lines_->starts_[i];
                    end = lines_->starts_[i + 1] - 2;
                } else {
                    start = nextStart_;
                    end = FindBreak(bytes, start);
                    nextStart_ = NextStartIn(bytes, end);
                }
                ++next_;
                return line_ = std::string_view(bytes.data() + start, end - start);
            }
            if (i + 1 == next_) return line_;
            return Jump(i);
        }

    private:
        std::string_view Jump(std::size_t i);
        const LineBuffer* lines_;
        std::size_t next_ = 0;       // the line after line_
        std::size_t nextStart_ = 0;  // where it starts (buffers read from bytes)
        std::string_view line_;
    };

    static constexpr std::size_t kStride = 64;

private:
    // The first CR or LF at or after `from`, or the size. (Both are below 0x20: most bytes are
    // passed over by one comparison.)
    static std::size_t FindBreak(std::string_view bytes, std::size_t from) {
        const char* data = bytes.data();
        const std::size_t n = bytes.size();
        for (std::size_t i = from; i < n; ++i) {
            const auto c = static_cast<unsigned char>(data[i]);
            if (c <= '\r' && (c == '\r' || c == '\n')) return i;
        }
        return n;
    }
    // Where the line after a line ending at `end` starts (CR LF, LF or CR passed over).
    static std::size_t NextStartIn(std::string_view bytes, std::size_t end) {
        if (end >= bytes.size()) return bytes.size();
        return end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    // The end of the line starting at `start` (its break not included), and where the next
    // line starts.
    std::size_t LineEnd(std::size_t start) const;
    std::size_t NextStart(std::size_t end) const;

    std::string bytes_;
    std::size_t size_ = 0;
    std::vector<std::size_t> checkpoints_;  // start of line k * kStride
    std::vector<std::size_t> starts_;       // made from separate lines: where each starts
    std::vector<MarkedLine> marked_;
    // Notes line `index` (from `start`, `size` bytes) when it starts with '@' or '&'.
    void Mark(std::size_t index, std::size_t start, std::size_t size) {
        if (size > 0 && (bytes_[start] == '@' || bytes_[start] == '&')) marked_.push_back({index, start, size});
    }
    mutable std::size_t lastIndex_ = 0, lastStart_ = 0, lastEnd_ = 0;
    mutable bool haveLast_ = false;
};

}  // namespace quill
