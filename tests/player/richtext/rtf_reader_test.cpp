// The RTF reader against rich text as a Windows rich-edit control saves it, and against broken
// input.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <random>

#include "richtext/rtf_reader.h"
#include "../../qstring_printer.h"

namespace quill {
namespace {

// The character format at the first occurrence of `needle`.
QTextCharFormat FormatOf(QTextDocument& doc, const QString& needle) {
    QTextCursor c = doc.find(needle);
    EXPECT_FALSE(c.isNull()) << needle;
    QTextCursor at(&doc);
    at.setPosition(c.selectionStart() + 1);
    return at.charFormat();
}

QTextBlockFormat BlockOf(QTextDocument& doc, const QString& needle) {
    QTextCursor c = doc.find(needle);
    EXPECT_FALSE(c.isNull()) << needle;
    return c.block().blockFormat();
}

std::unique_ptr<QTextDocument> Read(std::string_view rtf) {
    auto doc = std::make_unique<QTextDocument>();
    ReadRichText(rtf, *doc);
    return doc;
}

// What a rich-edit control writes for a short formatted text (the font and colour tables,
// \viewkind4\uc1\pard, one \par a paragraph, CR LF after each \par, the "]" of the data file
// after the closing brace).
const std::vector<std::string> kRichEditEntry = {
    R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fprq2\fcharset0 Times New Roman;}})",
    R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue128;})",
    R"({\*\generator Msftedit 5.41.21.2510;}\viewkind4\uc1\pard\qc\cf1\b\f0\fs32 Welcome\par)",
    R"(\pard\cf0\b0\fs20 Plain \i italic\i0 , \ul underlined\ulnone  and \cf2\f1\fs28 navy Times\cf0\f0\fs20 .\par)",
    R"(\pard\li720\ri360\fi-360\sb120\sa240\qr Right\par)",
    "}",
    "]",
};

TEST(RtfReader, RichEditEntryGivesTextAndFormats) {
    QTextDocument doc;
    ReadRichText(kRichEditEntry, doc);
    EXPECT_EQ(doc.toPlainText(), "Welcome\nPlain italic, underlined and navy Times.\nRight");
    EXPECT_EQ(doc.blockCount(), 3);

    const QTextCharFormat welcome = FormatOf(doc, "Welcome");
    EXPECT_EQ(welcome.fontWeight(), QFont::Bold);
    EXPECT_EQ(welcome.fontPointSize(), 16.0);
    EXPECT_EQ(welcome.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(welcome.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(BlockOf(doc, "Welcome").alignment(), Qt::AlignHCenter);

    const QTextCharFormat plain = FormatOf(doc, "Plain");
    EXPECT_EQ(plain.fontWeight(), QFont::Normal);
    EXPECT_EQ(plain.fontPointSize(), 10.0);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));  // \cf0 is automatic
    EXPECT_TRUE(FormatOf(doc, "italic").fontItalic());
    EXPECT_FALSE(FormatOf(doc, " and").fontItalic());
    EXPECT_TRUE(FormatOf(doc, "underlined").fontUnderline());
    EXPECT_FALSE(FormatOf(doc, " and").fontUnderline());

    const QTextCharFormat navy = FormatOf(doc, "navy Times");
    EXPECT_EQ(navy.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(navy.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(navy.fontPointSize(), 14.0);
    EXPECT_EQ(BlockOf(doc, "Plain").alignment(), Qt::AlignLeft);  // \pard resets

    const QTextBlockFormat right = BlockOf(doc, "Right");
    EXPECT_EQ(right.alignment(), Qt::AlignRight);
    EXPECT_DOUBLE_EQ(right.leftMargin(), 48.0);  // 720 twips at 96 dpi
    EXPECT_DOUBLE_EQ(right.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(right.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(right.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(right.bottomMargin(), 16.0);
    EXPECT_EQ(doc.defaultFont().family(), "Arial");
}

TEST(RtfReader, NestedGroupsRestoreFormatting) {
    auto doc = Read(R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs20 a{\b b{\i\fs40 c}d}e\par})");
    EXPECT_EQ(doc->toPlainText(), "abcde");
    EXPECT_FALSE(FormatOf(*doc, "a").fontWeight() == QFont::Bold);
    EXPECT_EQ(FormatOf(*doc, "b").fontWeight(), QFont::Bold);
    EXPECT_FALSE(FormatOf(*doc, "b").fontItalic());
    EXPECT_TRUE(FormatOf(*doc, "c").fontItalic());
    EXPECT_EQ(FormatOf(*doc, "c").fontPointSize(), 20.0);
    EXPECT_EQ(FormatOf(*doc, "d").fontWeight(), QFont::Bold);
    EXPECT_FALSE(FormatOf(*doc, "d").fontItalic());
    EXPECT_EQ(FormatOf(*doc, "d").fontPointSize(), 10.0);
    EXPECT_EQ(FormatOf(*doc, "e").fontWeight(), QFont::Normal);
}

TEST(RtfReader, ToggleWordsAndPlain) {
    auto doc = Read(R"({\rtf1\b\i\ul\strike A\b0\i0\ulnone\strike0 B\ul C\ul0 D\b\i\ul\strike\plain E})");
    const QTextCharFormat a = FormatOf(*doc, "A");
    EXPECT_TRUE(a.fontWeight() == QFont::Bold && a.fontItalic() && a.fontUnderline() && a.fontStrikeOut());
    const QTextCharFormat b = FormatOf(*doc, "B");
    EXPECT_FALSE(b.fontWeight() == QFont::Bold || b.fontItalic() || b.fontUnderline() || b.fontStrikeOut());
    EXPECT_TRUE(FormatOf(*doc, "C").fontUnderline());
    EXPECT_FALSE(FormatOf(*doc, "D").fontUnderline());
    const QTextCharFormat e = FormatOf(*doc, "E");
    EXPECT_FALSE(e.fontWeight() == QFont::Bold || e.fontItalic() || e.fontUnderline() || e.fontStrikeOut());
    EXPECT_EQ(e.fontPointSize(), 12.0);
}

TEST(RtfReader, SpecialCharacters) {
    struct Case {
        const char* rtf;
        QString text;
    };
    const Case cases[] = {
        {R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80\'96\'5b})", QString::fromUtf8("café €–[")},
        {R"({\rtf1\ansi\ansicpg1251 \'e0\'e1})", QString::fromUtf8("аб")},  // the document's code page
        {R"({\rtf1{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Arial Cyr;}}\f1\'e0\f0\'e0})",
         QString::fromUtf8("аà")},  // the font's character set wins
        {R"({\rtf1\ansi\ansicpg932 \'82\'a0\'82})", QString::fromUtf8("あ\uFFFD")},  // double-byte pairs
        {R"({\rtf1 a\'01\'00b})", QString::fromUtf8("ab\x7f")},  // control characters are not text
        {R"({\rtf1\uc1\u8364?\u-4064?\u20320?x})", QString::fromUtf8("€\uF020你x")},
        {R"({\rtf1\uc2\u8364\'80\'80x\uc0\u8364 y})", QString::fromUtf8("€x€y")},
        {R"({\rtf1\u-10179?\u-8704?})", QString::fromUtf8("😀")},  // a surrogate pair
        {R"({\rtf1\u-10179?x})", QString::fromUtf8("\uFFFDx")},     // an unpaired surrogate
        {R"({\rtf1 a\~b\-c\_d\{e\}f\\g\tab h\line i})", QString::fromUtf8("a\u00A0b\u00ADc\u2011d{e}f\\g\th\u2028i")},
        {R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})", QString::fromUtf8("—–•‘’“”")},
        {"{\\rtf1 a\r\nb\\\r\nc}", "ab\nc"},  // line ends are ignored; a backslash before one is \par
    };
    for (const Case& c : cases) {
        auto doc = Read(c.rtf);
        EXPECT_EQ(doc->toRawText().replace(QChar::ParagraphSeparator, u'\n'), c.text) << c.rtf;
    }
}

TEST(RtfReader, SkipsDestinationsAndUnknownWords) {
    auto doc = Read(R"({\rtf1{\*\unknowndest secret {nested \b text}}{\info{\title T}{\author A}})"
                    R"({\stylesheet{\s0 Normal;}}\foo12 \bar visible{\field{\*\fldinst HYPERLINK x}{\fldrslt  link}})"
                    R"({\pict\bin4 }}}}\wmetafile8 0102}\v hidden\v0  end})");
    EXPECT_EQ(doc->toPlainText(), "visible link end");
    EXPECT_EQ(FormatOf(*doc, "visible").fontWeight(), QFont::Normal);
}

TEST(RtfReader, TextAfterTheClosingBraceIsIgnored) {
    QTextDocument doc;
    ReadRichText(std::vector<std::string>{R"({\rtf1 one\par)", "two\\par", "}", "]"}, doc);
    EXPECT_EQ(doc.toPlainText(), "one\ntwo");
    EXPECT_EQ(doc.blockCount(), 2);  // the last \par ends the last paragraph
}

TEST(RtfReader, EmptyParagraphsKeepTheirSize) {
    auto doc = Read(R"({\rtf1\fs20 a\par\fs48\par b\par})");
    EXPECT_EQ(doc->toPlainText(), "a\n\nb");
    EXPECT_EQ(doc->findBlockByNumber(1).charFormat().fontPointSize(), 24.0);
}

TEST(RtfReader, PlainTextIsReadAsLines) {
    QTextDocument doc;
    ReadRichText(std::vector<std::string>{"First line", "caf\xe9 {not rtf}\x01", ""}, doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("First line\ncafé {not rtf}\n"));
    EXPECT_EQ(doc.blockCount(), 3);
}

TEST(RtfReader, BrokenInputGivesADocument) {
    const char* cases[] = {
        R"({\rtf1 a}}}}b)",                     // more closing braces than opening ones
        R"({\rtf1{\fonttbl{\f0 Arial;}}{\b bold {\i it)",  // truncated
        R"({\rtf1 x\'4)",                       // truncated hex
        R"({\rtf1 x\)",                         // lone backslash at the end
        R"({\rtf1 \fs999999999999999999 big\li-99999999999 \u999999999 \uc99999999 a})",
        R"({\rtf1{\colortbl;\red999\green-5;}\cf1 c\cf-3 d\cf99 e\highlight1 f})",
        R"({\rtf1\bin999999 abc)",
    };
    for (const char* c : cases) {
        auto doc = Read(c);
        EXPECT_GE(doc->blockCount(), 1) << c;
    }
    EXPECT_EQ(Read(R"({\rtf1 a}}}}b)")->toPlainText(), "a");
    EXPECT_EQ(Read(R"({\rtf1{\fonttbl{\f0 Arial;}}{\b bold {\i it)")->toPlainText(), "bold it");
    EXPECT_EQ(FormatOf(*Read(R"({\rtf1{\colortbl;\red999\green-5;}\cf1 c})"), "c").foreground().color(),
              QColor(255, 0, 0));
}

TEST(RtfReader, DeepNestingAndRandomBytesDoNotCrash) {
    std::string deep = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i) deep += "{\\b ";
    deep += "deep";
    for (int i = 0; i < 100000; ++i) deep += "}";
    deep += " after}";
    auto doc = Read(deep);
    EXPECT_EQ(doc->toPlainText(), "deep after");
    EXPECT_EQ(FormatOf(*doc, "after").fontWeight(), QFont::Normal);  // every group closed again

    std::mt19937 rng(1234);
    const std::string alphabet = "{}\\'abcdefuv0123456789-; *\r\n\x80\xff";
    for (int round = 0; round < 200; ++round) {
        std::string s = round % 2 ? "{\\rtf1 " : "";
        const int n = static_cast<int>(rng() % 400);
        for (int i = 0; i < n; ++i)
            s += round % 3 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() & 0xFF);
        Read(s);
    }
}

}  // namespace
}  // namespace quill
