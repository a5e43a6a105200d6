// The tutorial's about box and its designer.
#include <QLabel>
#include <QListWidget>

#include "design/about_box_designer.h"
#include "design_fixture.h"
#include "common/tutorial_about_box.h"
#include "text/byte_io.h"

using namespace quill;
using namespace quill::test;

namespace A = cfg::About;

TEST(AboutCommentBlock, FilledCommentsEndInABlankEmptyOnesAddAnEmptyLine) {
    EXPECT_EQ(AboutCommentBlock("First", "", "Third", ""), "First \r\n\r\nThird \r\n\r\n");
    EXPECT_EQ(AboutCommentBlock("a", "b", "c", "d"), "a b c d ");
    EXPECT_EQ(AboutCommentBlock("", "", "", ""), "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

using AboutBoxTest = DesignFixture;

TEST_F(AboutBoxTest, ShowsTheDesignedFieldsAndReportsAMissingIcon) {
    TTutorialConfig c = project.Config;
    c.set(A::BoxTitle, "About Safety");
    c.set(A::ProgramName, "Safety First");
    c.set(A::VersionText, "Version 2");
    c.set(A::AuthorLine, "J. Smith");
    c.set(A::Comment1, "First");
    c.set(A::Comment3, "Third");
    c.set(A::UseIcon, 1);
    c.set(A::IconFile, "gone.ico");
    const LearnerScreenContext context = Context(c);
    TutorialAboutBox box(context);
    EXPECT_EQ(box.windowTitle(), "About Safety");
    EXPECT_EQ(Find<QLabel>(&box, "ProductName")->text(), "Safety First");
    EXPECT_EQ(Find<QLabel>(&box, "Version")->text(), "Version 2");
    EXPECT_EQ(Find<QLabel>(&box, "Copyright")->text(), "J. Smith");
    EXPECT_EQ(Find<QLabel>(&box, "Comments")->text(), "First \n\nThird \n\n");
    EXPECT_FALSE(box.HasIcon());
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"The Icon file gone.ico is missing"});

    // An icon that is there is shown; OK closes the box.
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::blue);
    ASSERT_TRUE(icon.save(QString::fromStdString((project.ProjectDir / "LOGO.ICO").string()), "ICO"));
    c.set(A::IconFile, "logo.ico");
    rec.messages.Clear();
    TutorialAboutBox withIcon(context);
    EXPECT_TRUE(withIcon.HasIcon());
    EXPECT_TRUE(rec.messages.shown.empty());
    withIcon.show();
    Click(&withIcon, "OKButton");
    EXPECT_EQ(withIcon.result(), QDialog::Accepted);
}

// Without an icon the texts start at the panel's left, where the comments start: no empty
// icon area before them.
TEST_F(AboutBoxTest, WithoutAnIconNoRoomIsKeptForIt) {
    TTutorialConfig c = project.Config;
    c.set(A::ProgramName, "Safety First");
    c.set(A::Comment1, "First");
    c.set(A::UseIcon, 0);
    const LearnerScreenContext context = Context(c);
    TutorialAboutBox box(context);
    box.show();
    QTest::qWait(20);
    EXPECT_EQ(Find<QLabel>(&box, "ProductName")->x(), Find<QLabel>(&box, "Comments")->x());
}

// F1 in the learner's about box opens the tutorial's help.
TEST_F(AboutBoxTest, F1OpensTheTutorialsHelp) {
    TTutorialConfig c = project.Config;
    InProject("MAPS.HLP");
    c.set(cfg::Program::HelpOn, 1);
    c.set(cfg::Program::HelpFile, "MAPS.HLP");
    c.set(cfg::Program::HelpTopic, 12);
    const LearnerScreenContext context = Context(c);
    TutorialAboutBox box(context);
    box.show();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    QTest::keyClick(&box, Qt::Key_F1);
    ASSERT_EQ(rec.help.requests.size(), 1u);
    EXPECT_EQ(rec.help.requests[0].topic, 12);
    EXPECT_EQ(rec.help.requests[0].helpFile.filename(), "MAPS.HLP");
}

TEST_F(AboutBoxTest, DesignerWritesTheAboutGroupOnOkOnly) {
    const TTutorialConfig before = project.Config;
    TTutorialConfig record = project.Config;
    // Cancel leaves the record as it was.
    WhenShown("TDesignAboutForm", [](QWidget* w) {
        Type(w, "CaptionEdit", "Ignored");
        Click(w, "CancelBtn");
    });
    EXPECT_FALSE(DesignAboutBox(project, rec.platform(), record));
    EXPECT_EQ(record, before);

    WhenShown("TDesignAboutForm", [](QWidget* w) {
        Type(w, "CaptionEdit", QString(50, 'C'));
        Click(w, "UseIconChk");
        Type(w, "IconEdit", "safety.ico");
        Type(w, "ProgramEdit", "Safety First");
        Type(w, "VersionEdit", "1.0");
        Type(w, "AuthorEdit", "J. Smith");
        Type(w, "Comment1Edit", "One");
        Type(w, "Comment4Edit", QString(70, 'x'));
        Click(w, "NeitherRb");
        Click(w, "OKBtn");
    });
    EXPECT_TRUE(DesignAboutBox(project, rec.platform(), record));
    const auto& b = record.bytes();
    const ByteReader r(record.span());
    EXPECT_EQ(r.u16(4416), 3);                              // ShowWhen: neither
    EXPECT_EQ(b[4418], 40);                                 // BoxTitle cut to 40
    EXPECT_EQ(b[4459], 1);                                  // UseIcon
    EXPECT_EQ(record.get(A::IconFile), "safety.ico");       // at 4460
    EXPECT_EQ(r.shortString(4611, 32), "Safety First");    // ProgramName
    EXPECT_EQ(record.get(A::VersionText), "1.0");
    EXPECT_EQ(record.get(A::AuthorLine), "J. Smith");
    EXPECT_EQ(record.get(A::Comment1), "One");
    EXPECT_EQ(b[4928], 65);                                 // Comment4 cut to 65
    // Nothing outside the About group changed.
    TTutorialConfig outside = record;
    std::copy(before.bytes().begin() + A::Base, before.bytes().begin() + A::Base + A::Size,
              outside.bytes().begin() + A::Base);
    EXPECT_EQ(outside, before);
}

TEST_F(AboutBoxTest, IconControlsFollowTheBoxAndFindFileCopiesIntoTheProject) {
    const auto picked = elsewhere.write("Logo.ico", "icon");
    rec.dialogs.files.push_back(picked);
    rec.messages.confirmAnswers.push_back(true);
    AboutBoxDesigner form(project, rec.platform(), project.Config);
    form.show();
    auto* edit = Find<QLineEdit>(&form, "IconEdit");
    EXPECT_FALSE(edit->isVisible());
    Click(&form, "UseIconChk");
    EXPECT_TRUE(edit->isVisible());
    Click(&form, "FindBtn");
    ASSERT_EQ(rec.dialogs.requests.size(), 1u);
    EXPECT_EQ(rec.dialogs.requests[0].file.filter, "Icon Files|*.ICO");
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm),
              std::vector<QString>{"Copy the file Logo.ico to the Project directory?"});
    EXPECT_EQ(edit->text(), "Logo.ico");
    EXPECT_TRUE(std::filesystem::exists(project.ProjectDir / "Logo.ico"));
    EXPECT_EQ(Find<QListWidget>(&form, "IconListBox")->count(), 1);

    // View shows the box as designed so far.
    Type(&form, "CaptionEdit", "Designed");
    QString shownTitle;
    WhenShown("TAboutBox", [&](QWidget* w) {
        shownTitle = w->windowTitle();
        static_cast<QDialog*>(w)->accept();
    });
    Click(&form, "ViewBtn");
    EXPECT_EQ(shownTitle, "Designed");
}
