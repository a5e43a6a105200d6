#pragma once
// The engine's value types where Qt is absent (the engine built for the web browser): UTF-8
// text, a 32-bit colour, a rectangle, a font description and a 32-bit picture. Each offers the
// members of the desktop's Qt type that the engine uses, with the same meaning, so the engine's
// code reads the same in both builds (engine_types.h).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

using Text = std::string;  // UTF-8
using TextList = std::vector<std::string>;
using TextChar = char32_t;  // 0: none

class Colour {
public:
    Colour() = default;
    Colour(int r, int g, int b, int a = 255)
        : argb_((std::uint32_t(a & 0xFF) << 24) | (std::uint32_t(r & 0xFF) << 16) |
                (std::uint32_t(g & 0xFF) << 8) | std::uint32_t(b & 0xFF)),
          valid_(true) {}
    static Colour fromRgb(std::uint32_t rgb) {
        return Colour(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
    }
    bool isValid() const { return valid_; }
    int alpha() const { return int(argb_ >> 24); }
    int red() const { return int((argb_ >> 16) & 0xFF); }
    int green() const { return int((argb_ >> 8) & 0xFF); }
    int blue() const { return int(argb_ & 0xFF); }
    std::uint32_t rgb() const { return argb_ | 0xFF000000u; }
    std::uint32_t rgba() const { return argb_; }
    bool operator==(const Colour& o) const { return valid_ == o.valid_ && argb_ == o.argb_; }

private:
    std::uint32_t argb_ = 0xFF000000u;
    bool valid_ = false;
};

class Rect {
public:
    Rect() = default;
    Rect(int x, int y, int width, int height) : x_(x), y_(y), w_(width), h_(height) {}
    int left() const { return x_; }
    int top() const { return y_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int width() const { return w_; }
    int height() const { return h_; }
    int right() const { return x_ + w_ - 1; }
    int bottom() const { return y_ + h_ - 1; }
    bool isEmpty() const { return w_ <= 0 || h_ <= 0; }
    Rect intersected(const Rect& o) const {
        const int l = std::max(x_, o.x_), t = std::max(y_, o.y_);
        const int r = std::min(x_ + w_, o.x_ + o.w_), b = std::min(y_ + h_, o.y_ + o.h_);
        return r > l && b > t ? Rect(l, t, r - l, b - t) : Rect();
    }
    bool operator==(const Rect&) const = default;

private:
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
};

// A font as a description: the browser draws captions in the family and size named.
class Font {
public:
    Font() = default;
    explicit Font(std::string family) : family_(std::move(family)) {}
    void setFamily(const std::string& family) { family_ = family; }
    void setPixelSize(int pixels) { pixelSize_ = pixels; }
    void setBold(bool on) { bold_ = on; }
    void setItalic(bool on) { italic_ = on; }
    void setUnderline(bool on) { underline_ = on; }
    void setStrikeOut(bool on) { strikeOut_ = on; }
    const std::string& family() const { return family_; }
    int pixelSize() const { return pixelSize_; }
    bool bold() const { return bold_; }
    bool italic() const { return italic_; }
    bool underline() const { return underline_; }
    bool strikeOut() const { return strikeOut_; }
    bool operator==(const Font&) const = default;

private:
    std::string family_;
    int pixelSize_ = 13;
    bool bold_ = false, italic_ = false, underline_ = false, strikeOut_ = false;
};

// A picture of 32-bit pixels (0xAARRGGBB), rows one after the other.
class Image {
public:
    Image() = default;
    Image(int width, int height)
        : w_(std::max(0, width)), h_(std::max(0, height)), pixels_(std::size_t(w_) * std::size_t(h_), 0xFF000000u) {}
    int width() const { return w_; }
    int height() const { return h_; }
    bool isNull() const { return w_ == 0 || h_ == 0; }
    std::uint8_t* bits() { return reinterpret_cast<std::uint8_t*>(pixels_.data()); }
    const std::uint8_t* constBits() const { return reinterpret_cast<const std::uint8_t*>(pixels_.data()); }
    std::ptrdiff_t bytesPerLine() const { return std::ptrdiff_t(w_) * 4; }
    // A clear screen is a whole raster of one colour, often thousands of times in a chapter:
    // one short run of pixels, then copies of what is filled so far, doubling (large copies are
    // the WebAssembly runtime's fastest way to write memory).
    void fill(const Colour& c) {
        const std::size_t n = pixels_.size();
        if (n == 0) return;
        std::uint32_t* p = pixels_.data();
        const std::uint32_t v = c.rgb();
        std::size_t done = std::min<std::size_t>(n, 256);
        for (std::size_t i = 0; i < done; ++i) p[i] = v;
        for (; done < n; done *= 2) std::memcpy(p + done, p, std::min(done, n - done) * sizeof *p);
    }
    Image copy() const { return *this; }
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(w_) + std::size_t(x)]; }

private:
    int w_ = 0, h_ = 0;
    std::vector<std::uint32_t> pixels_;
};

inline Text Lit(std::string_view utf8) { return Text(utf8); }
inline std::string Utf8Of(const Text& text) { return text; }
int TextLength(const Text& text);  // code points
char32_t UpperCode(TextChar c);
TextChar FirstChar(const Text& text);
Text JoinLines(const TextList& lines);
inline Image NewRaster(int width, int height) { return Image(width, height); }

}  // namespace quill
