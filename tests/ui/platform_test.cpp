#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QFileDialog>
#include <QGuiApplication>
#include <QListView>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QScrollBar>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "../format/test_folder.h"
#include "window_driver.h"
#include "platform/error_handler.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/snapshots.h"
#include "text/errors.h"
#include "../qstring_printer.h"

using namespace quill;
using quill::test::TempFolder;
using quill::test::kEventWaitMs;

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

    // F1 in a dialog: the help comes up over it; Escape closes the help and the dialog has the
    // keyboard again, on the control that had it.
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    new QVBoxLayout(&dialog);
    dialog.layout()->addWidget(edit);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    help.ShowTopic(dir / "QUILLDESK.HLP", 120);
    QWidget* helpWindow = help.Browser()->window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(helpWindow));
    QTest::keyClick(help.Browser(), Qt::Key_Escape);
    EXPECT_FALSE(helpWindow->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), static_cast<QWidget*>(&dialog), kEventWaitMs);
    QTest::keyClicks(QApplication::focusWidget(), "typed");
    EXPECT_EQ(edit->text(), "typed");
    dialog.close();

    help.ShowTopic(dir / "TUTOR.HLP", 3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessages::Kind::Error);
    EXPECT_TRUE(messages.shown[0].text.contains("TUTOR.html")) << messages.shown[0].text;
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

// F1 in the colour and font dialogs opens the page of the window that asked for them.
TEST(Platform, F1InTheColourAndFontDialogsOpensTheAskingWindowsTopic) {
    RecordingPlatform rec("/opt/quill");
    QDialog window;
    SetHelpTopic(&window, 600);
    InstallF1Help(&window, rec.help, rec.platform().helpFile);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    DesktopDialogs dialogs;
    for (const char* name : {"ColorDialog", "FontDialog"}) {
        QApplication::setActiveWindow(&window);
        const auto shown = test::WhenShown(name, [](QWidget* dialog) {
            QApplication::setActiveWindow(dialog);
            QTest::keyClick(dialog, Qt::Key_F1);
            static_cast<QDialog*>(dialog)->reject();
        });
        if (QString(name) == "ColorDialog")
            EXPECT_FALSE(dialogs.Color(Qt::red, "Color"));
        else
            EXPECT_FALSE(dialogs.Font(QFont(), "Font"));
        EXPECT_TRUE(*shown) << name;
    }
    ASSERT_EQ(rec.help.requests.size(), 2u);
    EXPECT_EQ(rec.help.requests[0].topic, 600);
    EXPECT_EQ(rec.help.requests[1].topic, 600);
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

TEST(Platform, FiltersShowTheirMasksAndMatchInAnyCase) {
    EXPECT_EQ(QtNameFilters("Tutorial Files|*.QKJ"), QStringList{"Tutorial Files (*.QKJ)"});
    EXPECT_EQ(QtNameFilters("Pictures|*.bmp;*.JPG|All|*.*"), (QStringList{"Pictures (*.bmp *.JPG)", "All (*.*)"}));
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb\n\rc\rd"), "a\nb\nc\nd");

    TempFolder dir;
    for (const char* name : {"demo1.qks", "DEMO2.QKS", "Demo3.Qks", "other.QKS", "demo4.txt"}) dir.write(name, "x");
    const auto dialog = MakeFileDialog({"Open", "Chapter Files|DEMO*.QKS", "QKS", dir.path(), ""}, false);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Chapter Files (DEMO*.QKS)"});
    dialog->show();
    auto* list = dialog->findChild<QListView*>("listView");
    ASSERT_NE(list, nullptr);
    const auto listed = [&] {
        QStringList names;
        const QModelIndex root = list->rootIndex();
        for (int r = 0; r < list->model()->rowCount(root); ++r) {
            const QModelIndex i = list->model()->index(r, 0, root);
            if (list->model()->flags(i) & Qt::ItemIsEnabled) names << i.data().toString();
        }
        names.sort();
        return names;
    };
    QTRY_COMPARE_WITH_TIMEOUT(listed(), (QStringList{"DEMO2.QKS", "Demo3.Qks", "demo1.qks"}), kEventWaitMs);

    // An open dialog that need not name an existing file takes a new name as typed.
    FileDialogOptions fresh{"Open", "Chapter Files|DEMO*.QKS", "QKS", dir.path(), ""};
    fresh.mustExist = false;
    const auto open = MakeFileDialog(fresh, false);
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    open->show();
    open->selectFile("demo5.QKS");
    QMetaObject::invokeMethod(open.get(), "accept");
    EXPECT_EQ(open->result(), QDialog::Accepted);
    ASSERT_EQ(open->selectedFiles().size(), 1);
    EXPECT_TRUE(open->selectedFiles()[0].endsWith("/demo5.QKS")) << open->selectedFiles()[0];
}

// Every box fits the screen with its buttons on it; a long text scrolls.
TEST(Platform, MessageBoxesFitTheScreenAndLongTextsScroll) {
    QString words;
    for (int i = 0; i < 60000; ++i) words += QStringLiteral("word ");
    const struct {
        QString text;
        bool scrolls;
    } cases[] = {
        {QStringLiteral("File not found.\nPlease verify the correct file name was given."), false},
        {words, true},
        {QString(QStringLiteral("line\n")).repeated(2000), true},
        // A word wider than the box (a long path) is broken, not cut.
        {"Cannot write the file /home/author/" + QString(300, u'x') + "/demo.QKR: No space left", false},
        {QString(9000, u'x'), true},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(40).toStdString());
        MessageBoxDialog box(QMessageBox::Critical, "Quillmark", c.text, QDialogButtonBox::Ok, QDialogButtonBox::Ok,
                             QDialogButtonBox::Ok);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        EXPECT_TRUE(screen.contains(box.frameGeometry())) << box.width() << " x " << box.height();
        if (!qEnvironmentVariableIsEmpty("QUILLMARK_SNAPSHOT_DIR"))
            box.grab().save(qEnvironmentVariable("QUILLMARK_SNAPSHOT_DIR") +
                            QStringLiteral("/message-box-%1.png").arg(&c - cases));
        QPushButton* ok = box.buttons()->button(QDialogButtonBox::Ok);
        EXPECT_TRUE(box.rect().contains(QRect(ok->mapTo(&box, QPoint(0, 0)), ok->size())));
        EXPECT_EQ(box.textArea()->verticalScrollBar()->isVisible(), c.scrolls);
        EXPECT_LE(box.textArea()->document()->size().width(), box.textArea()->viewport()->width());
        EXPECT_EQ(box.textArea()->toPlainText(), c.text);
        EXPECT_TRUE(ok->hasFocus());
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_EQ(box.result(), QDialog::Accepted);
        EXPECT_EQ(box.answer(), QDialogButtonBox::Ok);
    }
    // Escape answers No to a question.
    MessageBoxDialog question(QMessageBox::Question, "Quillmark", "Save?", QDialogButtonBox::Yes | QDialogButtonBox::No,
                              QDialogButtonBox::Yes, QDialogButtonBox::No);
    question.show();
    QTest::keyClick(&question, Qt::Key_Escape);
    EXPECT_EQ(question.answer(), QDialogButtonBox::No);
}

TEST(Platform, SnapshotWriterSavesEachWindowOnceAfterItIsShown) {
    TempFolder dir;
    SnapshotWriter writer(dir / "shots");
    QWidget window;
    window.setObjectName("TSampleForm");
    window.resize(200, 100);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(writer.Written(), 1, kEventWaitMs);
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
