#include "text/line_buffer.h"


namespace quill {

namespace {

// The first CR or LF at or after `from`, or the size. (Both are below 0x20: most bytes are
// passed over by one comparison.)
std::size_t FindBreak(const std::string& bytes, std::size_t from) {
    const char* data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = from;
    while (i < n) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c <= '\r' && (c == '\r' || c == '\n')) return i;
        ++i;
    }
    return n;
}

}  // namespace

LineBuffer::LineBuffer(std::string bytes) : bytes_(std::move(bytes)) {
    const std::size_t n = bytes_.size();
    std::size_t start = 0;
    while (start < n) {
        if (size_ % kStride == 0) checkpoints_.push_back(start);
        ++size_;
        start = NextStart(FindBreak(bytes_, start));
    }
}

LineBuffer::LineBuffer(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + 2;
    bytes_.reserve(total);
    starts_.reserve(lines.size() + 1);
    for (const auto& l : lines) {
        starts_.push_back(bytes_.size());
        bytes_.append(l).append("\r\n");
    }
    starts_.push_back(bytes_.size());
    size_ = lines.size();
}

std::size_t LineBuffer::LineEnd(std::size_t start) const { return FindBreak(bytes_, start); }

std::size_t LineBuffer::NextStart(std::size_t end) const {
    if (end >= bytes_.size()) return bytes_.size();
    return end + ((bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n') ? 2 : 1);
}

std::string_view LineBuffer::operator[](std::size_t i) const {
    if (i >= size_) return {};
    if (!starts_.empty()) return std::string_view(bytes_).substr(starts_[i], starts_[i + 1] - 2 - starts_[i]);
    std::size_t index, start;
    if (haveLast_ && i == lastIndex_) return std::string_view(bytes_).substr(lastStart_, lastEnd_ - lastStart_);
    if (haveLast_ && i > lastIndex_ && i - lastIndex_ <= i % kStride) {
        index = lastIndex_ + 1;
        start = NextStart(lastEnd_);
    } else {
        index = i - i % kStride;
        start = checkpoints_[i / kStride];
    }
    std::size_t end = LineEnd(start);
    while (index < i) {
        start = NextStart(end);
        end = LineEnd(start);
        ++index;
    }
    lastIndex_ = i;
    lastStart_ = start;
    lastEnd_ = end;
    haveLast_ = true;
    return std::string_view(bytes_).substr(start, end - start);
}

std::vector<std::string> LineBuffer::ToVector() const {
    std::vector<std::string> out;
    out.reserve(size_);
    for (std::string_view l : *this) out.emplace_back(l);
    return out;
}

}  // namespace quill
