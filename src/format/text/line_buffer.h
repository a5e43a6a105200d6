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

    static constexpr std::size_t kStride = 64;

private:
    // The end of the line starting at `start` (its break not included), and where the next
    // line starts.
    std::size_t LineEnd(std::size_t start) const;
    std::size_t NextStart(std::size_t end) const;

    std::string bytes_;
    std::size_t size_ = 0;
    std::vector<std::size_t> checkpoints_;  // start of line k * kStride
    std::vector<std::size_t> starts_;       // made from separate lines: where each starts
    mutable std::size_t lastIndex_ = 0, lastStart_ = 0, lastEnd_ = 0;
    mutable bool haveLast_ = false;
};

}  // namespace quill
