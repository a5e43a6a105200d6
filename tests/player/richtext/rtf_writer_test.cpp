// The RTF writer: what it writes, that it reads back into the same document, and that its
// lines fit the data file.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "richtext/rich_text_render.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "../../qstring_printer.h"

namespace quill {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

struct Span {
    QString text;
    QTextCharFormat format;
};

// A document of formatted paragraphs, each a list of spans, made through the cursor as an
// editor would.
std::unique_ptr<QTextDocument> MakeDoc(const std::vector<std::pair<Qt::Alignment, std::vector<Span>>>& paras) {
    auto doc = std::make_unique<QTextDocument>();
    QFont base("Arial");
    base.setPointSizeF(10);
    doc->setDefaultFont(base);
    QTextCursor c(doc.get());
    bool first = true;
    for (const auto& [align, spans] : paras) {
        QTextBlockFormat bf;
        bf.setAlignment(align);
        if (first) c.setBlockFormat(bf);
        else c.insertBlock(bf);
        first = false;
        for (const Span& s : spans) c.insertText(s.text, s.format);
    }
    return doc;
}

QTextCharFormat Fmt(bool bold, bool italic, bool underline, double points, QColor color = {}, QString family = {}) {
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    if (points > 0) f.setFontPointSize(points);
    if (color.isValid()) f.setForeground(color);
    if (!family.isEmpty()) f.setFontFamilies({family});
    return f;
}

// Compares two documents run by run: text, bold, italic, underline, size, colour, family,
// and each paragraph's alignment.
void ExpectSameDocument(const QTextDocument& a, const QTextDocument& b) {
    ASSERT_EQ(a.blockCount(), b.blockCount());
    EXPECT_EQ(a.toRawText(), b.toRawText());
    const QFont baseA = a.defaultFont(), baseB = b.defaultFont();
    for (QTextBlock x = a.begin(), y = b.begin(); x.isValid(); x = x.next(), y = y.next()) {
        EXPECT_EQ(x.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                  y.blockFormat().alignment() & Qt::AlignHorizontal_Mask)
            << x.text();
        for (int i = 0; i < x.length() - 1; ++i) {
            QTextCursor cx(x), cy(y);
            cx.setPosition(x.position() + i + 1);
            cy.setPosition(y.position() + i + 1);
            const QFont fx = cx.charFormat().font().resolve(baseA), fy = cy.charFormat().font().resolve(baseB);
            const std::string where = x.text().toStdString() + " @" + std::to_string(i);
            EXPECT_EQ(fx.bold(), fy.bold()) << where;
            EXPECT_EQ(fx.italic(), fy.italic()) << where;
            EXPECT_EQ(fx.underline(), fy.underline()) << where;
            EXPECT_EQ(fx.pointSizeF(), fy.pointSizeF()) << where;
            EXPECT_EQ(fx.family(), fy.family()) << where;
            const auto color = [](const QTextCharFormat& f) {
                return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().rgb() : 0u;
            };
            EXPECT_EQ(color(cx.charFormat()), color(cy.charFormat())) << where;
        }
    }
}

TEST(RtfWriter, WritesTheRichEditDialect) {
    auto doc = MakeDoc({{Qt::AlignLeft, {{"Hello ", Fmt(false, false, false, 0)},
                                         {"bold", Fmt(true, false, false, 0, QColor(255, 0, 0))}}},
                        {Qt::AlignHCenter, {{"caf\u00e9 \u20ac \u03b1 {x} \\ ", Fmt(false, false, false, 14)}}}});
    const std::vector<std::string> lines = WriteRichText(*doc);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}})");
    EXPECT_EQ(lines[1], R"({\colortbl ;\red255\green0\blue0;})");
    EXPECT_EQ(lines[2], R"(\viewkind4\uc1\pard\f0\fs20 Hello \cf1\b bold\par)");
    EXPECT_EQ(lines[3], R"(\qc\cf0\b0\fs28 caf\'e9 \'80 \u945? \{x\} \\ \par)");
    EXPECT_EQ(lines.back(), "}");
}

TEST(RtfWriter, RoundTripKeepsTextAndFormats) {
    auto doc = MakeDoc({
        {Qt::AlignLeft, {{"Plain ", Fmt(false, false, false, 0)}, {"bold ", Fmt(true, false, false, 0)},
                         {"italic ", Fmt(false, true, false, 0)}, {"under", Fmt(false, false, true, 0)}}},
        {Qt::AlignHCenter, {{"Big red", Fmt(true, false, false, 24, QColor(200, 10, 10))}}},
        {Qt::AlignRight, {{"Times", Fmt(false, true, true, 9, QColor(0, 0, 128), "Times New Roman")}}},
        {Qt::AlignJustify, {{"\u03b1\u03b2 \U0001F600 tab\there", Fmt(false, false, false, 11.5)}}},
        {Qt::AlignLeft, {}},  // an empty paragraph
        {Qt::AlignLeft, {{"[not a header]", Fmt(false, false, false, 0)}}},
    });
    const std::vector<std::string> lines = WriteRichText(*doc);
    QTextDocument back;
    ReadRichText(lines, back);
    ExpectSameDocument(*doc, back);

    // Written again, the document gives the same lines: nothing drifts between saves.
    EXPECT_EQ(WriteRichText(back), lines);
}

TEST(RtfWriter, ReadingRichEditRtfAndWritingItBackKeepsIt) {
    const std::vector<std::string> entry = {
        R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fnil\fcharset0 Courier New;}})",
        R"({\colortbl ;\red0\green128\blue0;})",
        R"(\viewkind4\uc1\pard\qc\cf1\b\f0\fs28 Title\par)",
        R"(\pard\cf0\b0\fs20 Body \f1 code\f0  and \ul more\ulnone .\par)",
        R"(\par)",
        "}",
        "]",
    };
    QTextDocument first;
    ReadRichText(entry, first);
    QTextDocument second;
    ReadRichText(WriteRichText(first), second);
    ExpectSameDocument(first, second);
    EXPECT_EQ(second.blockCount(), 3);
}

TEST(RtfWriter, LinesNeverLookLikeDataFileMarkers) {
    // Paragraphs that start with "[" or are "]", and a long paragraph broken over lines.
    QString longText;
    for (int i = 0; i < 120; ++i) longText += "[x] ";
    auto doc = MakeDoc({{Qt::AlignLeft, {{"[Header]", {}}}},
                        {Qt::AlignLeft, {{"]", {}}}},
                        {Qt::AlignLeft, {{longText, {}}}},
                        {Qt::AlignLeft, {{"[", {}}}}});
    const std::vector<std::string> lines = WriteRichText(*doc);
    EXPECT_GE(lines.size(), 5u) << Joined(lines);  // the long paragraph was broken
    for (const std::string& l : lines) {
        EXPECT_FALSE(l.starts_with("[")) << l;
        EXPECT_NE(l, "]");
        EXPECT_LE(l.size(), 260u) << l;
    }
    QTextDocument back;
    ReadRichText(lines, back);
    EXPECT_EQ(back.toPlainText(), doc->toPlainText());
}

TEST(RtfWriter, EmptyDocumentIsOneEmptyParagraph) {
    QTextDocument doc;
    const std::vector<std::string> lines = WriteRichText(doc);
    EXPECT_NE(Joined(lines).find("\\par"), std::string::npos);
    QTextDocument back;
    ReadRichText(lines, back);
    EXPECT_EQ(back.blockCount(), 1);
    EXPECT_TRUE(back.toPlainText().isEmpty());
}

TEST(RichTextRender, DrawsTextInTheRectangleOnTheBackground) {
    const std::vector<std::string> entry = {R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs40\b XXXX XXXX\par})"};
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto doc = RichTextDocument(entry);
    RenderRichText(*doc, image, QRect(50, 20, 100, 60), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));           // outside: untouched
    EXPECT_EQ(image.pixelColor(148, 78), QColor(0, 0, 255));          // inside: background
    int dark = 0;
    for (int y = 20; y < 80; ++y)
        for (int x = 50; x < 150; ++x)
            if (qGray(image.pixel(x, y)) < 20) ++dark;
    EXPECT_GT(dark, 50);  // the black text

    const QImage whole = RenderRichTextImage(entry, QSize(120, 40), QColor(Qt::yellow));
    EXPECT_EQ(whole.size(), QSize(120, 40));
    EXPECT_EQ(whole.pixelColor(119, 39), QColor(Qt::yellow));
}

}  // namespace
}  // namespace quill
