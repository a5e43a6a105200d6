#include "text/line_buffer.h"


namespace quill {

LineBuffer::LineBuffer(std::string bytes) : bytes_(std::move(bytes)) {
    const std::size_t n = bytes_.size();
    std::size_t start = 0;
    while (start < n) {
        if (size_ % kStride == 0) checkpoints_.push_back(start);
        const std::size_t end = FindBreak(bytes_, start);
        Mark(size_, start, end - start);
        ++size_;
        start = NextStart(end);
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
        Mark(starts_.size() - 1, starts_.back(), l.size());
    }
    starts_.push_back(bytes_.size());
    size_ = lines.size();
}

std::size_t LineBuffer::LineEnd(std::size_t start) const { return FindBreak(bytes_, start); }

std::size_t LineBuffer::NextStart(std::size_t end) const { return NextStartIn(bytes_, end); }

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

std::string_view LineBuffer::Cursor::Jump(std::size_t i) {
    if (i >= lines_->size_) return {};
    line_ = (*lines_)[i];
    next_ = i + 1;
    if (lines_->starts_.empty()) nextStart_ = NextStartIn(lines_->bytes_, static_cast<std::size_t>(line_.data() - lines_->bytes_.data()) + line_.size());
    return line_;
}

std::vector<std::string> LineBuffer::ToVector() const {
    std::vector<std::string> out;
    out.reserve(size_);
    for (std::string_view l : *this) out.emplace_back(l);
    return out;
}

}  // namespace quill
