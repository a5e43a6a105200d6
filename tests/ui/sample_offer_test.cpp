// The first start with no tutorial open: the main window offers the sample tutorial shipped
// beside the program, copies it into the documents folder and opens the copy.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <map>
#include <QDialog>
#include <QTest>

#include "../format/test_folder.h"
#include "app/main_window.h"
#include "app/program_memory.h"
#include "app/sample_offer.h"
#include "platform/platform.h"
#include "window_driver.h"

using namespace quill;
using namespace quill::test;
namespace fs = std::filesystem;

namespace {

// Every file of a folder with its bytes, for comparing folders.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out[fs::relative(e.path(), folder).string()] = TempFolder::read(e.path());
    return out;
}

struct SampleOfferFixture : ::testing::Test {
    TempFolder home, documents;
    Project project{home.path()};
    RecordingPlatform rec{home.path()};
    RecordingChapterRunner runner;
    std::unique_ptr<MainWindow> form;
    fs::path startDir = fs::current_path();

    SampleOfferFixture() { fs::copy(QUILL_SAMPLE_DIR, home.path() / "sample", fs::copy_options::recursive); }
    ~SampleOfferFixture() override {
        form.reset();
        std::error_code ec;
        fs::current_path(startDir, ec);
    }
    // Starts the main window and waits for its start timer (which makes the offer).
    void start(ProgramMemory* memory = nullptr) {
        form = std::make_unique<MainWindow>(project, rec.platform(), runner);
        form->SetDocumentsFolder(documents.path());
        form->SetMemory(memory);
        form->show();
        QTRY_VERIFY_WITH_TIMEOUT(form->findChild<QWidget*>("MenuPnl")->isVisible(), kEventWaitMs);
        QTest::qWait(10);
    }
    QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }
};

}  // namespace

TEST_F(SampleOfferFixture, YesCopiesTheSampleIntoTheDocumentsAndOpensIt) {
    const auto installed = Contents(home.path() / "sample");
    rec.messages.confirmAnswers = {true};
    start();
    const fs::path copy = documents.path() / "Quillmark Sample";
    ASSERT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm),
              std::vector<QString>{SampleOfferQuestion(copy)});
    EXPECT_EQ(project.ProjectDir, copy);
    EXPECT_EQ(project.ProjectName, "MAPS");
    EXPECT_EQ(fs::current_path(), copy);
    EXPECT_EQ(Contents(copy), installed);
    EXPECT_EQ(Contents(home.path() / "sample"), installed);  // the installed copy is untouched
    // View a Chapter works at once, and so does the whole tutorial.
    EXPECT_TRUE(button("ViewBtn")->isEnabled());
    EXPECT_TRUE(button("PreviewBtn")->isEnabled());
    EXPECT_EQ(form->findChild<QLabel*>("ProjectLbl")->text(), "MAPS");
    EXPECT_EQ(QApplication::focusWidget(), button("ViewBtn"));

    // A later first start with a copy already there makes a second copy under a new name.
    form.reset();
    project = Project(home.path());
    rec.messages.confirmAnswers = {true};
    start();
    EXPECT_EQ(project.ProjectDir, documents.path() / "Quillmark Sample 2");
    EXPECT_EQ(Contents(documents.path() / "Quillmark Sample 2"), installed);
}

TEST_F(SampleOfferFixture, NoLeavesEverythingAsItWasAndWithoutASampleNothingIsAsked) {
    rec.messages.confirmAnswers = {false};
    start();
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm).size(), 1u);
    EXPECT_FALSE(project.IsOpen());
    EXPECT_TRUE(fs::is_empty(documents.path()));
    EXPECT_FALSE(button("ViewBtn")->isEnabled());

    form.reset();
    rec.messages.shown.clear();
    fs::remove_all(home.path() / "sample");
    start();
    EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(SampleOfferFixture, ACopyThatFailsIsReportedAndOpensNothing) {
    // The documents "folder" is a file: nothing can be copied into it.
    const fs::path blocked = documents.write("blocked", "x");
    rec.messages.confirmAnswers = {true};
    form = std::make_unique<MainWindow>(project, rec.platform(), runner);
    form->SetDocumentsFolder(blocked);
    form->show();
    QTRY_VERIFY_WITH_TIMEOUT(!rec.messages.Texts(RecordingMessages::Kind::Error).empty(), kEventWaitMs);
    EXPECT_TRUE(rec.messages.Texts(RecordingMessages::Kind::Error)[0].contains("blocked"));
    EXPECT_FALSE(project.IsOpen());
}

// The program remembers: the sample is offered at the very first start only, the tutorial
// opened last is opened again at the next start, and the chapter editor comes back where it was.
TEST_F(SampleOfferFixture, WithItsMemoryTheStartReopensTheLastTutorialAndOffersTheSampleOnce) {
    TempFolder config;
    ProgramMemory memory(config / "quillmark.conf");
    rec.messages.confirmAnswers = {false};
    start(&memory);
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm).size(), 1u);
    form.reset();
    rec.messages.Clear();
    start(&memory);
    EXPECT_TRUE(rec.messages.shown.empty());  // not offered again
    EXPECT_FALSE(project.IsOpen());

    // A tutorial made (or chosen) is the one the next start opens.
    NewTutorial(project, home / "course", "COURSE");
    form->UpdateButtons();
    form.reset();
    project = Project(home.path());
    start(&memory);
    EXPECT_TRUE(rec.messages.shown.empty());
    EXPECT_EQ(project.ProjectDir, home / "course");
    EXPECT_EQ(project.ProjectName, "COURSE");
    EXPECT_TRUE(button("EditBtn")->isEnabled());
    ASSERT_EQ(memory.RecentTutorials().size(), 1u);

    // Another tutorial made: the one before is offered among the recent ones and opens again.
    auto* recent = form->findChild<QToolButton*>("RecentBtn");
    EXPECT_FALSE(recent->isVisible());
    NewTutorial(project, home / "other", "OTHER");
    form->UpdateButtons();
    ASSERT_TRUE(recent->isVisible());
    emit recent->menu()->aboutToShow();
    ASSERT_EQ(recent->menu()->actions().size(), 1);
    EXPECT_EQ(recent->menu()->actions()[0]->text(), QString::fromStdString((home / "course" / "COURSE.QKJ").string()));
    recent->menu()->actions()[0]->trigger();
    EXPECT_EQ(project.ProjectName, "COURSE");
    EXPECT_EQ(memory.RecentTutorials().front(), home / "course" / "COURSE.QKJ");

    // The chapter editor is closed where the author put it and opens there again.
    const QRect place(40, 30, 900, 620);
    WhenShown("TEditForm", [place](QWidget* w) {
        w->setGeometry(place);
        Later(w, [w] { static_cast<QDialog*>(w)->reject(); });
    });
    button("EditBtn")->click();
    QRect reopened;
    WhenShown("TEditForm", [&reopened](QWidget* w) {
        reopened = w->geometry();
        static_cast<QDialog*>(w)->reject();
    });
    button("EditBtn")->click();
    EXPECT_EQ(reopened, place);
}
