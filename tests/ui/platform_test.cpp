#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "../format/test_folder.h"
#include "platform/error_handler.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "text/errors.h"

using namespace quill;
using quill::test::TempFolder;

TEST(Platform, HelpFileMapsToTheHtmlBookBesideItIgnoringCase) {
    TempFolder dir;
    dir.write("Quilldesk.HTML", "<html><body><a name=\"topic-120\"></a>Select</body></html>");
    EXPECT_EQ(HelpBookPath(dir / "QUILLDESK.HLP"), dir / "Quilldesk.HTML");
    EXPECT_EQ(HelpBookPath(dir / "OTHER.HLP"), std::nullopt);
    EXPECT_EQ(HelpTopicAnchor(120), "topic-120");
}

TEST(Platform, HelpBrowserOpensTheTopicAndNamesAMissingBook) {
    TempFolder dir;
    std::string html = "<html><body><p>Contents</p>";
    for (int i = 0; i < 200; ++i) html += "<p>filler</p>";
    html += "<h2><a name=\"topic-120\"></a>Select a Tutorial</h2><p>text</p>";
    for (int i = 0; i < 200; ++i) html += "<p>filler</p>";
    dir.write("QUILLDESK.html", html + "</body></html>");

    RecordingMessages messages;
    HelpBrowser help;
    help.SetMessages(&messages);
    help.ShowTopic(dir / "QUILLDESK.HLP", 120);
    ASSERT_NE(help.Browser(), nullptr);
    EXPECT_EQ(help.Browser()->source().fragment(), "topic-120");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Select a Tutorial"));
    EXPECT_TRUE(messages.shown.empty());

    help.ShowTopic(dir / "TUTOR.HLP", 3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessages::Kind::Error);
    EXPECT_TRUE(messages.shown[0].text.contains("TUTOR.html")) << messages.shown[0].text.toStdString();
}

TEST(Platform, F1OpensTheTopicOfTheFocusedControlOrItsWindow) {
    RecordingPlatform rec("/opt/quill");
    QWidget window;
    SetHelpTopic(&window, 7);
    auto* withTopic = new QPushButton("a", &window);
    auto* without = new QPushButton("b", &window);
    SetHelpTopic(withTopic, 120);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(withTopic);
    layout->addWidget(without);
    InstallF1Help(&window, rec.help, rec.platform().helpFile);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    withTopic->setFocus();
    QTest::keyClick(withTopic, Qt::Key_F1);
    without->setFocus();
    QTest::keyClick(without, Qt::Key_F1);
    ASSERT_EQ(rec.help.requests.size(), 2u);
    EXPECT_EQ(rec.help.requests[0].helpFile, std::filesystem::path("/opt/quill/QUILLDESK.HLP"));
    EXPECT_EQ(rec.help.requests[0].topic, 120);
    EXPECT_EQ(rec.help.requests[1].topic, 7);
}

TEST(Platform, DefaultErrorHandlerShowsEachKindOfErrorInItsEncoding) {
    RecordingMessages messages;
    EXPECT_TRUE(RunGuarded(messages, [] {}));
    EXPECT_FALSE(RunGuarded(messages, [] { throw UserError("Caf\xE9 \x80"); }));
    EXPECT_FALSE(RunGuarded(messages, [] { throw IoError("Cannot write /tmp/caf\xC3\xA9.QKJ: disk full"); }));
    EXPECT_FALSE(RunGuarded(messages, [] { throw FormatError("record cut short"); }));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("Café €"));
    EXPECT_EQ(messages.shown[1].text, QString::fromUtf8("Cannot write /tmp/café.QKJ: disk full"));
    EXPECT_EQ(messages.shown[2].text, "record cut short");
}

TEST(Platform, RecordersAnswerFromTheirQueuesAndCountTheRest) {
    RecordingPlatform rec;
    rec.messages.confirmAnswers = {true};
    EXPECT_TRUE(rec.messages.Confirm("first?"));
    EXPECT_FALSE(rec.messages.Confirm("second?"));
    EXPECT_EQ(rec.messages.unanswered, 1);
    rec.dialogs.files = {std::filesystem::path("/x/A.QKJ")};
    EXPECT_EQ(rec.dialogs.OpenFile({"Select", "Tutorial Files|*.QKJ", "QKJ", "/x", ""}),
              std::filesystem::path("/x/A.QKJ"));
    EXPECT_EQ(rec.dialogs.OpenFile({}), std::nullopt);
    EXPECT_EQ(rec.dialogs.unanswered, 1);
    ASSERT_EQ(rec.dialogs.requests.size(), 2u);
    EXPECT_EQ(rec.dialogs.requests[0].file.filter, "Tutorial Files|*.QKJ");
}

TEST(Platform, FiltersMatchTheirMasksInAnyCase) {
    EXPECT_EQ(QtNameFilters("Tutorial Files|*.QKJ"), QStringList{"Tutorial Files (*.[Qq][Kk][Jj])"});
    EXPECT_EQ(QtNameFilters("Pictures|*.bmp;*.JPG|All|*.*"),
              (QStringList{"Pictures (*.[Bb][Mm][Pp] *.[Jj][Pp][Gg])", "All (*.*)"}));
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb\n\rc\rd"), "a\nb\nc\nd");
}

TEST(Platform, SnapshotWriterSavesEachWindowOnceAfterItIsShown) {
    TempFolder dir;
    SnapshotWriter writer(dir / "shots");
    QWidget window;
    window.setObjectName("TSampleForm");
    window.resize(200, 100);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(writer.Written(), 1, 2000);
    window.hide();
    window.show();
    QTest::qWait(150);
    EXPECT_EQ(writer.Written(), 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "shots" / "001-TSampleForm.png"));
}

TEST(Platform, TheHelpWindowSearchesTheBookRoundToItsStart) {
    TempFolder dir;
    dir.write("QUILLDESK.html",
              "<html><body><h1><a name=\"topic-1\"></a>Contents</h1><p>*ClearScreen clears the screen.</p>"
              "<h2><a name=\"topic-120\"></a>Select</h2><p>Also *clearscreen here.</p></body></html>");
    HelpBrowser help;
    help.ShowTopic(dir / "QUILLDESK.HLP", 120);
    QWidget* window = help.Browser()->window();
    auto* edit = window->findChild<QLineEdit*>("HelpSearchEdit");
    auto* result = window->findChild<QLabel*>("HelpSearchLbl");
    ASSERT_TRUE(edit && result);
    QTextBrowser* browser = help.Browser();
    edit->setText("ClearScreen");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(browser->textCursor().selectedText(), "ClearScreen");
    const int first = browser->textCursor().position();
    window->findChild<QPushButton*>("HelpFindBtn")->click();
    EXPECT_EQ(browser->textCursor().selectedText(), "clearscreen");
    EXPECT_GT(browser->textCursor().position(), first);
    // After the last place the search goes round to the first.
    window->findChild<QPushButton*>("HelpFindBtn")->click();
    EXPECT_EQ(browser->textCursor().position(), first);
    EXPECT_EQ(result->text(), "");

    edit->setText("quilplay runtime");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(result->text(), "Not found");
    EXPECT_EQ(browser->textCursor().position(), first);  // the last find stays selected
}
