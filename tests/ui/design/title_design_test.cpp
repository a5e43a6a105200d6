// The title and status bar designers: the bar's text colour, and the font dialog that keeps the
// stored face and style unless the author picks others.
#include <QFontDatabase>
#include <QLineEdit>

#include "design/design_common.h"
#include "screen/record_font.h"
#include "design/title_designer.h"
#include "design_fixture.h"

using namespace quill;
using namespace quill::test;

using TitleDesignTest = DesignFixture;

TEST(FontChoice, WhatTheAuthorDidNotChangeStaysAsStored) {
    QFont serifBold("Liberation Serif", 16);
    serifBold.setBold(true);
    QFont sansBold = serifBold;
    sansBold.setFamily("Liberation Sans");
    QFont serifPlain20("Liberation Serif", 20);
    QFont arialItalic("Liberation Sans", 12);
    arialItalic.setItalic(true);
    QFont arialItalicUnderlined = arialItalic;
    arialItalicUnderlined.setUnderline(true);
    struct Case {
        const char* stored;
        QFont offered, chosen;
        const char* expected;
    } cases[] = {
        // OK without a change: the face that stood in for the stored one, and its bold.
        {"16 0 1 Times New Roman", serifBold, serifBold, "16 0 1 Times New Roman"},
        {"16 0 1 Times New Roman", serifBold, sansBold, "16 0 1 Liberation Sans"},
        {"16 0 1 Times New Roman", serifBold, serifPlain20, "20 0 0 Times New Roman"},
        // The colour and the other styles stay.
        {"12 255 2 Arial", arialItalic, arialItalicUnderlined, "12 255 6 Arial"},
        {"not a font", serifBold, serifBold, "16 0 1 Liberation Serif"},
    };
    for (const Case& c : cases) EXPECT_EQ(MergeFontChoice(c.stored, c.offered, c.chosen), c.expected) << c.stored;
}

TEST(FontChoice, TheDialogStartsOnAnInstalledFaceInTheStoredStyle) {
    QFont stored("No Such Face At All", 16);
    stored.setBold(true);
    const QFont start = FontDialogStart(stored);
    EXPECT_TRUE(QFontDatabase::hasFamily(start.family())) << start.family();
    EXPECT_TRUE(start.bold());
    EXPECT_EQ(start.pointSize(), 16);
    const QFont installed("Liberation Serif", 12);
    EXPECT_EQ(FontDialogStart(installed), installed);
}

TEST_F(TitleDesignTest, TheBarTextColourIsChosenAndOKWithoutAChangeKeepsTheFont) {
    ViewportTitleDesigner form(rec.platform(), "TitleBar Text :", BarDesign{"Welcome", "16 0 1 Times New Roman", 0xC0C0C0},
                            80, 465);
    rec.dialogs.colors = {QColor(0xFF, 0, 0)};
    Click(&form, "TextColorBtn");
    EXPECT_EQ(form.Design().font, "16 255 1 Times New Roman");
    EXPECT_EQ(Find<QLineEdit>(&form, "TitleEdit")->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
    // The font dialog answered with what it was started on.
    rec.dialogs.fonts = {FontDialogStart(FontOfRecordText("16 255 1 Times New Roman"))};
    Click(&form, "FontBtn");
    EXPECT_EQ(form.Design().font, "16 255 1 Times New Roman");
}
