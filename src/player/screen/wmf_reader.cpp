#include "screen/wmf_reader.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>
#include <vector>

#include "text_codec.h"

namespace quill {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr int kMaxSide = 2048;  // larger pictures (beyond any screen of the player) are drawn scaled down

// Bounds-checked little-endian reads; a read past the end gives 0 and marks the data bad.
class Bytes {
public:
    explicit Bytes(const QByteArray& d) : d_(d) {}
    int size() const { return static_cast<int>(d_.size()); }
    bool has(qint64 off, qint64 count) const { return off >= 0 && count >= 0 && off + count <= d_.size(); }
    quint16 u16(qint64 off) const {
        if (!has(off, 2)) return 0;
        return static_cast<quint16>(static_cast<unsigned char>(d_[off]) | (static_cast<unsigned char>(d_[off + 1]) << 8));
    }
    qint16 i16(qint64 off) const { return static_cast<qint16>(u16(off)); }
    quint32 u32(qint64 off) const { return u16(off) | (static_cast<quint32>(u16(off + 2)) << 16); }
    QByteArray mid(qint64 off, qint64 count) const { return has(off, count) ? d_.mid(off, count) : QByteArray(); }

private:
    const QByteArray& d_;
};

QColor ColorRef(quint32 v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

struct Pen { QPen pen; };
struct Brush { QBrush brush; };
struct Font {
    QFont font;
    int height = 12;
    int escapement = 0;
};
using Object = std::variant<std::monostate, Pen, Brush, Font>;

// A device-independent bitmap inside a record, read through Qt's BMP reader.
QImage ReadDib(const Bytes& b, qint64 off, qint64 end) {
    if (!b.has(off, 40) || end <= off) return {};
    const quint32 headerSize = b.u32(off);
    const int bitCount = b.u16(off + 14);
    quint32 colours = headerSize >= 40 ? b.u32(off + 32) : 0;
    if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
    const quint32 compression = b.u32(off + 16);
    quint32 masks = (compression == 3 && headerSize == 40) ? 12 : 0;
    const qint64 bitsOffset = 14 + headerSize + masks + 4 * static_cast<qint64>(colours);
    const qint64 length = end - off;
    QByteArray file("BM");
    const quint32 total = static_cast<quint32>(14 + length);
    for (quint32 v : {total, 0u, static_cast<quint32>(bitsOffset)})
        for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 0xFF);
    file += b.mid(off, length);
    return QImage::fromData(file, "BMP");
}

class Player {
public:
    Player(const Bytes& b, QPainter& p) : b_(b), p_(p) {}

    void play(qint64 pos) {
        while (b_.has(pos, 6)) {
            const qint64 words = b_.u32(pos);
            const int function = b_.u16(pos + 4);
            if (words < 3 || !b_.has(pos, words * 2)) break;
            if (function == 0) break;
            record(function, pos + 6, pos + words * 2);
            pos += words * 2;
        }
    }

    void setObjectCount(int n) { objects_.assign(static_cast<std::size_t>(std::clamp(n, 0, 65535)), {}); }

private:
    void add(Object o) {
        for (auto& slot : objects_)
            if (std::holds_alternative<std::monostate>(slot)) {
                slot = std::move(o);
                return;
            }
        objects_.push_back(std::move(o));
    }

    QPolygon points(qint64 at, int count) const {
        QPolygon poly;
        for (int i = 0; i < count && b_.has(at + 4 * i, 4); ++i) poly << QPoint(b_.i16(at + 4 * i), b_.i16(at + 4 * i + 2));
        return poly;
    }

    QRect rectAt(qint64 a) const {  // bottom, right, top, left
        const int bottom = b_.i16(a), right = b_.i16(a + 2), top = b_.i16(a + 4), left = b_.i16(a + 6);
        return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                     QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
    }

    void text(int x, int y, const QByteArray& bytes) {
        const QString s = FromCp1252(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        p_.save();
        p_.setFont(font_.font);
        p_.setPen(textColour_);
        const QFontMetrics m(font_.font);
        int dx = 0, dy = 0;
        const int w = m.horizontalAdvance(s);
        if ((align_ & 6) == 6) dx = -w / 2;
        else if (align_ & 2) dx = -w;
        if ((align_ & 24) == 24) dy = 0;
        else if (align_ & 8) dy = -m.descent();
        else dy = m.ascent();
        p_.translate(x, y);
        if (font_.escapement) p_.rotate(-font_.escapement / 10.0);
        if (bkOpaque_) p_.fillRect(QRect(dx, dy - m.ascent(), w, m.height()), bkColour_);
        p_.drawText(QPoint(dx, dy), s);
        p_.restore();
    }

    void stretchDib(qint64 dib, qint64 end, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                    int wSrc, int hSrc) {
        const QImage img = ReadDib(b_, dib, end);
        if (img.isNull()) return;
        QRect src(xSrc, ySrc, wSrc, hSrc);
        if (wSrc <= 0 || hSrc <= 0) src = img.rect();
        // DIB rows run bottom-up; source y counts from the bottom.
        src.moveTop(img.height() - ySrc - src.height());
        p_.drawImage(QRect(xDest, yDest, wDest, hDest).normalized(), img, src.intersected(img.rect()));
    }

    void record(int f, qint64 a, qint64 end) {
        switch (f) {
            case 0x020B: org_ = QPoint(b_.i16(a + 2), b_.i16(a)); applyWindow(); break;   // SETWINDOWORG
            case 0x020C: ext_ = QSize(b_.i16(a + 2), b_.i16(a)); applyWindow(); break;    // SETWINDOWEXT
            case 0x0201: bkColour_ = ColorRef(b_.u32(a)); break;                          // SETBKCOLOR
            case 0x0102: bkOpaque_ = b_.u16(a) == 2; break;                               // SETBKMODE
            case 0x0209: textColour_ = ColorRef(b_.u32(a)); break;                        // SETTEXTCOLOR
            case 0x012E: align_ = b_.u16(a); break;                                       // SETTEXTALIGN
            case 0x0106: winding_ = b_.u16(a) == 2; break;                                // SETPOLYFILLMODE
            case 0x001E: p_.save(); ++saved_; break;  // SAVEDC
            case 0x0127:                               // RESTOREDC
                if (saved_ > 0) {
                    p_.restore();
                    --saved_;
                }
                break;
            case 0x02FA: {                                                                // CREATEPENINDIRECT
                const int style = b_.u16(a) & 0x0F;
                const int width = b_.i16(a + 2);
                QPen pen(ColorRef(b_.u32(a + 6)));
                pen.setWidth(std::max(0, width));
                if (style == 5) pen = QPen(Qt::NoPen);
                else if (style == 1) pen.setStyle(Qt::DashLine);
                else if (style == 2) pen.setStyle(Qt::DotLine);
                else if (style == 3) pen.setStyle(Qt::DashDotLine);
                else if (style == 4) pen.setStyle(Qt::DashDotDotLine);
                add(Pen{pen});
                break;
            }
            case 0x02FC: {  // CREATEBRUSHINDIRECT
                const int style = b_.u16(a);
                const QColor c = ColorRef(b_.u32(a + 2));
                QBrush brush(c);
                if (style == 1) brush = QBrush(Qt::NoBrush);
                else if (style == 2) {
                    static constexpr Qt::BrushStyle kHatch[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                                Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
                    brush = QBrush(c, kHatch[std::min<int>(b_.u16(a + 6), 5)]);
                }
                add(Brush{brush});
                break;
            }
            case 0x02FB: {  // CREATEFONTINDIRECT
                Font font;
                font.height = std::abs(b_.i16(a));
                if (font.height == 0) font.height = 12;
                font.escapement = b_.i16(a + 4);
                QByteArray face = b_.mid(a + 18, std::min<qint64>(32, end - a - 18));
                face = face.left(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
                font.font = QFont(face.isEmpty() ? QStringLiteral("Arial")
                                                 : FromCp1252(std::string_view(face.constData(), static_cast<std::size_t>(face.size()))));
                font.font.setPixelSize(std::clamp(font.height, 1, 4000));
                font.font.setWeight(b_.i16(a + 8) >= 600 ? QFont::Bold : QFont::Normal);
                font.font.setItalic(b_.has(a + 10, 1) && b_.mid(a + 10, 1)[0] != 0);
                font.font.setUnderline(b_.has(a + 11, 1) && b_.mid(a + 11, 1)[0] != 0);
                font.font.setStrikeOut(b_.has(a + 12, 1) && b_.mid(a + 12, 1)[0] != 0);
                add(font);
                break;
            }
            case 0x012D: {  // SELECTOBJECT
                const std::size_t i = b_.u16(a);
                if (i >= objects_.size()) break;
                if (auto* pen = std::get_if<Pen>(&objects_[i])) p_.setPen(pen->pen);
                else if (auto* brush = std::get_if<Brush>(&objects_[i])) p_.setBrush(brush->brush);
                else if (auto* font = std::get_if<Font>(&objects_[i])) font_ = *font;
                break;
            }
            case 0x01F0: {  // DELETEOBJECT
                const std::size_t i = b_.u16(a);
                if (i < objects_.size()) objects_[i] = std::monostate{};
                break;
            }
            case 0x0214: cur_ = QPoint(b_.i16(a + 2), b_.i16(a)); break;  // MOVETO
            case 0x0213: {                                                // LINETO
                const QPoint to(b_.i16(a + 2), b_.i16(a));
                p_.drawLine(cur_, to);
                cur_ = to;
                break;
            }
            case 0x041B: p_.drawRect(rectAt(a)); break;     // RECTANGLE
            case 0x0418: p_.drawEllipse(rectAt(a)); break;  // ELLIPSE
            case 0x061C: {                                  // ROUNDRECT
                const int h = b_.i16(a), w = b_.i16(a + 2);
                p_.drawRoundedRect(rectAt(a + 4), w / 2.0, h / 2.0);
                break;
            }
            case 0x0324:  // POLYGON
                p_.drawPolygon(points(a + 2, b_.u16(a)), winding_ ? Qt::WindingFill : Qt::OddEvenFill);
                break;
            case 0x0325: p_.drawPolyline(points(a + 2, b_.u16(a))); break;  // POLYLINE
            case 0x0538: {                                                   // POLYPOLYGON
                const int n = b_.u16(a);
                qint64 at = a + 2 + 2 * n;
                QPainterPath path;
                path.setFillRule(winding_ ? Qt::WindingFill : Qt::OddEvenFill);
                for (int k = 0; k < n && at < end; ++k) {
                    const int count = b_.u16(a + 2 + 2 * k);
                    QPolygon poly = points(at, count);
                    if (!poly.isEmpty()) poly << poly.first();
                    path.addPolygon(poly);
                    at += 4 * count;
                }
                p_.drawPath(path);
                break;
            }
            case 0x0521: {  // TEXTOUT
                const int count = b_.u16(a);
                const qint64 padded = (count + 1) & ~1;
                text(b_.i16(a + 2 + padded + 2), b_.i16(a + 2 + padded), b_.mid(a + 2, count));
                break;
            }
            case 0x0A32: {  // EXTTEXTOUT
                const int y = b_.i16(a), x = b_.i16(a + 2), count = b_.u16(a + 4), options = b_.u16(a + 6);
                qint64 at = a + 8;
                if (options & 0x0006) {  // a rectangle: left, top, right, bottom
                    const QRect r(QPoint(b_.i16(at), b_.i16(at + 2)), QPoint(b_.i16(at + 4) - 1, b_.i16(at + 6) - 1));
                    if (options & 0x0002) p_.fillRect(r.normalized(), bkColour_);
                    at += 8;
                }
                text(x, y, b_.mid(at, std::min<qint64>(count, end - at)));
                break;
            }
            case 0x0F43:  // STRETCHDIB
                stretchDib(a + 22, end, b_.i16(a + 20), b_.i16(a + 18), b_.i16(a + 16), b_.i16(a + 14),
                           b_.i16(a + 12), b_.i16(a + 10), b_.i16(a + 8), b_.i16(a + 6));
                break;
            case 0x0B41:  // DIBSTRETCHBLT
                if (end - a > 20)
                    stretchDib(a + 20, end, b_.i16(a + 18), b_.i16(a + 16), b_.i16(a + 14), b_.i16(a + 12),
                               b_.i16(a + 10), b_.i16(a + 8), b_.i16(a + 6), b_.i16(a + 4));
                break;
            case 0x0940:  // DIBBITBLT
                if (end - a > 18)
                    stretchDib(a + 16, end, b_.i16(a + 14), b_.i16(a + 12), b_.i16(a + 10), b_.i16(a + 8),
                               b_.i16(a + 6), b_.i16(a + 4), b_.i16(a + 10), b_.i16(a + 8));
                break;
            default: break;  // records without a picture of their own (mapping mode, clipping, ...)
        }
    }

    void applyWindow() {
        if (ext_.width() == 0 || ext_.height() == 0 || device_.isEmpty()) return;
        QTransform t;
        t.scale(static_cast<double>(device_.width()) / ext_.width(),
                static_cast<double>(device_.height()) / ext_.height());
        t.translate(-org_.x(), -org_.y());
        p_.setTransform(t);
    }

public:
    void setDevice(const QSize& device, const QPoint& org, const QSize& ext) {
        device_ = device;
        org_ = org;
        ext_ = ext;
        applyWindow();
    }

private:
    const Bytes& b_;
    QPainter& p_;
    std::vector<Object> objects_;
    QSize device_;
    QPoint org_;
    QSize ext_;
    QPoint cur_;
    Font font_;
    QColor textColour_ = Qt::black;
    QColor bkColour_ = Qt::white;
    bool bkOpaque_ = true;
    bool winding_ = false;
    int align_ = 0;
    int saved_ = 0;
};

// The window (origin and extent) a plain metafile sets, found by a first pass.
std::optional<QRect> FindWindow(const Bytes& b, qint64 pos) {
    std::optional<QPoint> org;
    std::optional<QSize> ext;
    while (b.has(pos, 6)) {
        const qint64 words = b.u32(pos);
        const int f = b.u16(pos + 4);
        if (words < 3 || f == 0 || !b.has(pos, words * 2)) break;
        if (f == 0x020B && !org) org = QPoint(b.i16(pos + 8), b.i16(pos + 6));
        if (f == 0x020C && !ext) ext = QSize(b.i16(pos + 8), b.i16(pos + 6));
        pos += words * 2;
    }
    if (!ext) return std::nullopt;
    return QRect(org.value_or(QPoint()), *ext);
}

}  // namespace

bool LooksLikeWmf(const QByteArray& head) {
    const Bytes b(head);
    if (head.size() < 4) return false;
    if (b.u32(0) == kPlaceableKey) return true;
    const unsigned type = b.u16(0), headerWords = b.u16(2);
    return (type == 1 || type == 2) && headerWords == 9;
}

QImage ReadWmf(const QByteArray& data, QString* why) {
    const Bytes b(data);
    auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return QImage();
    };
    qint64 pos = 0;
    QSize device;
    QRect window;
    if (b.u32(0) == kPlaceableKey) {
        if (!b.has(0, 22)) return fail(QStringLiteral("the metafile is cut short"));
        const int left = b.i16(6), top = b.i16(8), right = b.i16(10), bottom = b.i16(12);
        int inch = b.u16(14);
        if (inch <= 0) inch = 1440;
        window = QRect(QPoint(left, top), QSize(right - left, bottom - top));
        device = QSize(static_cast<int>(std::lround(std::abs(right - left) * 96.0 / inch)),
                       static_cast<int>(std::lround(std::abs(bottom - top) * 96.0 / inch)));
        pos = 22;
    }
    if (!b.has(pos, 18) || b.u16(pos + 2) != 9) return fail(QStringLiteral("the metafile has no valid header"));
    const int objects = b.u16(pos + 12);
    pos += 18;
    if (window.isNull() || window.width() == 0 || window.height() == 0) {
        const auto found = FindWindow(b, pos);
        if (!found || found->width() == 0 || found->height() == 0)
            return fail(QStringLiteral("the metafile does not say its size"));
        window = *found;
        device = QSize(std::abs(window.width()), std::abs(window.height()));
    }
    if (device.width() <= 0 || device.height() <= 0)
        return fail(QStringLiteral("the metafile has an empty picture frame"));
    if (device.width() > kMaxSide || device.height() > kMaxSide)
        device.scale(kMaxSide, kMaxSide, Qt::KeepAspectRatio);
    device = device.expandedTo(QSize(1, 1));

    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::white);
    Player player(b, p);
    player.setObjectCount(objects);
    player.setDevice(device, window.topLeft(), window.size());
    player.play(pos);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace quill
