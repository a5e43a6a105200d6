// The introduction: its text editor, its designers, the adjust window and the display.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>

#include "datafile/data_file.h"
#include "design/introduction_window_adjuster.h"
#include "design/introduction_background_designer.h"
#include "design/introduction_designer.h"
#include "design/introduction_text_editor.h"
#include "common/stretch_handle.h"
#include "design_fixture.h"
#include "common/introduction_dialog.h"
#include "common/introduction_screen.h"
#include "text/byte_io.h"
#include "text/errors.h"

using namespace quill;
using namespace quill::test;

namespace I = cfg::Intro;

using IntroductionTest = DesignFixture;

TEST_F(IntroductionTest, RichTextTypedInTheEditorRoundTripsThroughTheDataFile) {
    // Another entry in the data file survives.
    AddCommandEntry(project.DataFilePath(), "Web", 10, "HYPER", "page.htm");
    std::vector<std::string> written;
    {
        IntroductionTextEditor form(project, rec.platform(), project.Config);
        form.show();
        QTextEdit* edit = form.Editor();
        QTest::keyClicks(edit, "Welcome to the course");
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        Click(&form, "BoldBtn");
        cursor.movePosition(QTextCursor::End);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_Return);
        edit->insertPlainText(QString::fromUtf8("Caf\u00e9 r\u00e8gles"));
        written = form.TextLines();
        Click(&form, "OKBtn");
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    std::vector<std::string> stored;
    ASSERT_TRUE(LoadIntroduction(project.DataFilePath(), stored));
    EXPECT_EQ(stored, written);
    std::vector<std::string> names;
    ListEntryNames(names, project.DataFilePath(), "HYPER");
    EXPECT_EQ(names, std::vector<std::string>{"Web"});

    IntroductionTextEditor again(project, rec.platform(), project.Config);
    EXPECT_EQ(again.TextLines(), written);
    EXPECT_EQ(again.Editor()->toPlainText(), QString::fromUtf8("Welcome to the course\nCaf\u00e9 r\u00e8gles"));
    QTextCursor at(again.Editor()->document());
    at.setPosition(3);
    EXPECT_GE(at.charFormat().fontWeight(), QFont::Bold);
    at.setPosition(12);
    EXPECT_LT(at.charFormat().fontWeight(), QFont::Bold);

    // Cancel writes nothing.
    const std::string file = TempFolder::read(project.DataFilePath());
    again.Editor()->setPlainText("Changed");
    Click(&again, "CancelBtn");
    EXPECT_EQ(TempFolder::read(project.DataFilePath()), file);
}

TEST_F(IntroductionTest, TickingUseTextWindowPlacesTheTextAtItsDefaultRectangle) {
    TTutorialConfig record = project.Config;
    const std::vector<std::string> text{"Hello"};
    {
        // A new project's introduction has no text window: the text fills the screen.
        const LearnerScreenContext context = Context(record);
        IntroductionDialog display(context, text);
        EXPECT_EQ(display.Screen()->TextWindow()->geometry(), QRect(0, 0, 640, 480));
    }
    rec.dialogs.fonts = {QFont("Liberation Sans", 12)};
    WhenShown("TIntroDesignForm", [](QWidget* w) {
        EXPECT_FALSE(Find<QPushButton>(w, "TextWindowBtn")->isEnabled());
        Click(w, "TextWindowChk");
        EXPECT_TRUE(Find<QPushButton>(w, "TextWindowBtn")->isEnabled());
        Click(w, "TitleBarChk");
        WhenShown("TVPDesignTitleForm", [](QWidget* t) {
            Type(t, "TitleEdit", QString(90, 'T'));
            Click(t, "FontBtn");
            Click(t, "OKBtn");
        });
        Click(w, "TitleBtn");
        Click(w, "OKBtn");
    });
    EXPECT_TRUE(DesignIntroductionScreen(project, rec.platform(), record, text));
    EXPECT_EQ(record.bytes()[2056], 0);  // TextWindowOff
    EXPECT_EQ(record.bytes()[1778], 1);  // TitleBarOn
    EXPECT_EQ(record.get(I::TitleBarText), std::string(80, 'T'));
    EXPECT_EQ(record.get(I::TitleBarFont), "12 0 0 Liberation Sans");
    const LearnerScreenContext context = Context(record);
    IntroductionDialog display(context, text);
    EXPECT_EQ(display.Screen()->TextWindow()->geometry(), QRect(120, 80, 400, 200));
    EXPECT_EQ(display.Screen()->Layout().titleBar, QRect(0, 0, 640, 24));
    EXPECT_EQ(display.Screen()->TextWindow()->toPlainText(), "Hello");
}

TEST_F(IntroductionTest, MenuBarItemsFollowTheSwitchesAndCaptions) {
    TTutorialConfig c = project.Config;
    {
        const LearnerScreenContext context = Context(c);
        IntroductionDialog display(context, {});
        auto* bar = Find<QMenuBar>(&display, "MainMenu1");
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->actions().size(), 1);  // neither AboutOn nor HelpOn
        EXPECT_EQ(bar->actions()[0]->text(), "&Close");
        display.show();
        bar->actions()[0]->trigger();
        EXPECT_FALSE(display.isVisible());
    }
    c.set(cfg::AboutOn, 1);
    c.set(cfg::Program::HelpOn, 1);
    c.set(cfg::Program::HelpFile, "SAFETY.HLP");
    c.set(cfg::Program::HelpTopic, 7);
    WhenShown("TChangeTextForm", [](QWidget* w) {
        Type(w, "CloseEdit", "E&xit now please, friend");
        Click(w, "OKBtn");
    });
    WhenShown("TIntroDesignForm", [](QWidget* w) {
        Click(w, "MenuTextBtn");
        Click(w, "OKBtn");
    });
    EXPECT_TRUE(DesignIntroductionScreen(project, rec.platform(), c, {}));
    EXPECT_EQ(c.get(cfg::Captions::CloseCaption), "E&xit now please");
    const LearnerScreenContext context = Context(c);
    IntroductionDialog display(context, {});
    auto* bar = Find<QMenuBar>(&display, "MainMenu1");
    ASSERT_EQ(bar->actions().size(), 3);
    EXPECT_EQ(bar->actions()[0]->text(), "E&xit now please");
    EXPECT_EQ(bar->actions()[1]->text(), "&About");
    bar->actions()[2]->trigger();
    ASSERT_EQ(rec.help.requests.size(), 1u);
    EXPECT_EQ(rec.help.requests[0].helpFile.filename(), "SAFETY.HLP");
    EXPECT_EQ(rec.help.requests[0].topic, 7);
    bool aboutShown = false;
    WhenShown("TAboutBox", [&](QWidget* w) {
        aboutShown = true;
        static_cast<QDialog*>(w)->accept();
    });
    bar->actions()[1]->trigger();
    EXPECT_TRUE(aboutShown);
    // Without a menu bar there is none; Escape closes the introduction.
    c.set(I::UseMenuBar, 0);
    IntroductionDialog plain(context, {});
    EXPECT_EQ(plain.findChild<QMenuBar*>("MainMenu1"), nullptr);
    plain.show();
    QTest::keyClick(&plain, Qt::Key_Escape);
    EXPECT_FALSE(plain.isVisible());
}

TEST_F(IntroductionTest, BackgroundDesignerKeepsOneFileNameAndJpgWallpaperIsRefused) {
    TTutorialConfig record = project.Config;
    record.set(I::Screen.WallpaperFile, "paper.bmp");
    record.set(I::Screen.ScreenType, 3);
    WhenShown("TIntDesignBackForm", [](QWidget* w) {
        EXPECT_TRUE(Find<QWidget>(w, "WallpaperGrp")->isVisible());
        Click(w, "GraphicRb");
        EXPECT_FALSE(Find<QWidget>(w, "WallpaperGrp")->isVisible());
        Type(w, "GraphicEdit", "picture.jpg");
        Click(w, "OKBtn");
    });
    EXPECT_TRUE(DesignIntroductionBackground(project, rec.platform(), record, {}));
    EXPECT_EQ(record.get(I::Screen.ScreenType), 2);
    EXPECT_EQ(record.get(I::Screen.GraphicFile), "picture.jpg");
    EXPECT_EQ(record.get(I::Screen.WallpaperFile), "");

    record.set(I::Screen.ScreenType, 3);
    record.set(I::Screen.WallpaperFile, "paper.JPG");
    record.set(I::Screen.ScreenColor, 0x0000FF);
    const LearnerScreenContext context = Context(record);
    IntroductionDialog display(context, {});
    EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Error),
              std::vector<QString>{"Wallpaper must be a .BMP file.\n\r\n\rReplace paper.JPG with a .BMP Graphic."});
    // The screen is the background colour.
    display.show();
    const QImage shot = display.Screen()->Background()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::red));
    // The record is not changed by showing it.
    EXPECT_EQ(record.get(I::Screen.WallpaperFile), "paper.JPG");
}

TEST_F(IntroductionTest, AdjustWindowMovesAndSizesTheTextWindowWithTheMouseWithoutDrift) {
    TTutorialConfig record = project.Config;
    record.set(I::Screen.TextWindowOff, 0);
    IntroductionWindowAdjuster form(project, rec.platform(), record, {"Some text"});
    form.show();
    QTest::qWait(20);
    QTextBrowser* window = form.Screen()->TextWindow();
    const QRect start = window->geometry();
    EXPECT_EQ(start, QRect(120, 80, 400, 200));

    // A press on the text window attaches the handles and drags it.
    QWidget* viewport = window->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(50, 50));
    StretchHandle* handle = form.Handle();
    EXPECT_TRUE(handle->isVisible());
    EXPECT_EQ(handle->geometry(), start.adjusted(-2, -2, 2, 2));
    // The drag's moves come to the pressed viewport, which moves along with the window; many
    // small moves out and back leave the window exactly where it was.
    const QPoint pressAt = viewport->mapTo(form.Screen(), QPoint(50, 50));
    auto moveTo = [&](QPoint screenPoint) { QTest::mouseMove(viewport, viewport->mapFrom(form.Screen(), screenPoint)); };
    for (int i = 1; i <= 30; ++i) moveTo(pressAt + QPoint(i * 3, i));
    EXPECT_EQ(window->geometry(), start.translated(90, 30));
    EXPECT_EQ(handle->geometry(), start.translated(90, 30).adjusted(-2, -2, 2, 2));
    for (int i = 29; i >= 0; --i) moveTo(pressAt + QPoint(i * 3, i));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, viewport->mapFrom(form.Screen(), pressAt));
    EXPECT_FALSE(handle->Dragging());
    EXPECT_EQ(window->geometry(), start);

    // Resize from the bottom-right square, then move; the stored rectangle is the window's.
    const QPoint corner(handle->width() - 2, handle->height() - 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, corner);
    QTest::mouseMove(handle, corner + QPoint(-100, -40));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, corner + QPoint(-100, -40));
    EXPECT_EQ(window->geometry(), QRect(120, 80, 300, 160));
    // Positions are the handle's own, which moves with the drag.
    const QPoint inside = handle->mapTo(form.Screen(), QPoint(40, 40));
    auto onHandle = [&](QPoint screenPoint) { return handle->mapFrom(form.Screen(), screenPoint); };
    QTest::mousePress(handle, Qt::LeftButton, {}, onHandle(inside));
    QTest::mouseMove(handle, onHandle(inside + QPoint(-17, 33)));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, onHandle(inside + QPoint(-17, 33)));
    EXPECT_EQ(window->geometry(), QRect(103, 113, 300, 160));

    // The arrow keys move it, with Shift they size it.
    QTest::keyClick(&form, Qt::Key_Left);
    QTest::keyClick(&form, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(window->geometry(), QRect(102, 113, 300, 161));
    QTest::keyClick(&form, Qt::Key_Right);
    QTest::keyClick(&form, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(window->geometry(), QRect(103, 113, 300, 160));

    // The right-button menu saves.
    const QStringList items{"Help", "&Save and Quit", "&Quit"};
    QStringList shown;
    for (QAction* a : form.PopupMenu()->actions()) shown << a->text();
    EXPECT_EQ(shown, items);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(viewport, &rightClick);
    EXPECT_TRUE(form.PopupMenu()->isVisible());
    form.PopupMenu()->hide();
    form.SaveAndQuit();
    EXPECT_TRUE(rec.messages.shown.empty());
    const ByteReader r(form.Record().span());
    EXPECT_EQ(r.i32(2367), 103);
    EXPECT_EQ(r.i32(2371), 113);
    EXPECT_EQ(r.i32(2375), 300);
    EXPECT_EQ(r.i32(2379), 160);
}

TEST_F(IntroductionTest, ClosingTheAdjustWindowAsksToSave) {
    TTutorialConfig record = project.Config;
    record.set(I::Screen.TextWindowOff, 0);
    for (bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        rec.messages.Clear();
        rec.messages.confirmAnswers = {answer};
        WhenShown("TIntAdjustForm", [](QWidget* w) {
            auto* form = static_cast<IntroductionWindowAdjuster*>(w);
            form->Screen()->TextWindow()->move(10, 20);
            QTest::keyClick(w, Qt::Key_Escape);
        });
        EXPECT_EQ(AdjustTextWindow(project, rec.platform(), record, {}), answer);
        EXPECT_EQ(rec.messages.Texts(RecordingMessages::Kind::Confirm), std::vector<QString>{"Save changes?"});
        EXPECT_EQ(record.get(I::Screen.WindowLeft), answer ? 10 : 120);
        EXPECT_EQ(record.get(I::Screen.WindowTop), answer ? 20 : 80);
    }
}

TEST(StretchHandleWidget, AttachDetachAndWindowsAreRefused) {
    QWidget parent;
    parent.resize(300, 200);
    auto* a = new QWidget(&parent);
    a->setGeometry(10, 10, 50, 40);
    QWidget other;
    auto* b = new QWidget(&other);
    b->setGeometry(5, 5, 30, 30);
    StretchHandle handle(&parent);
    EXPECT_FALSE(handle.isVisibleTo(&parent));
    EXPECT_EQ(handle.size(), QSize(24, 24));
    handle.Attach(a);
    EXPECT_TRUE(handle.isVisibleTo(&parent));
    EXPECT_EQ(handle.geometry(), QRect(8, 8, 54, 44));
    handle.Attach(b);  // another parent: the first is let go
    ASSERT_EQ(handle.Attached().size(), 1u);
    EXPECT_EQ(handle.Control(), b);
    EXPECT_EQ(handle.parentWidget(), &other);
    QWidget window;
    EXPECT_THROW(
        {
            try {
                handle.Attach(&window);
            } catch (const UserError& e) {
                EXPECT_STREQ(e.what(), "Handles can not be attached to a Form!");
                throw;
            }
        },
        UserError);
    handle.Detach();
    EXPECT_TRUE(handle.Attached().empty());
    EXPECT_EQ(handle.size(), QSize(24, 24));
    EXPECT_FALSE(handle.isVisibleTo(&other));
}

TEST_F(IntroductionTest, EditorImportsAFileAndItsBackgroundColourBecomesTheTextWindowColour) {
    const auto plain = elsewhere.write("notes.txt", "First line\r\nSecond line\r\n");
    const auto rich = elsewhere.write("notes.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 \\b Bold\\b0  text\\par}");
    TTutorialConfig record = project.Config;
    const TTutorialConfig before = record;
    rec.dialogs.files = {plain, rich};
    rec.dialogs.colors = {QColor(Qt::yellow)};
    WhenShown("TIntroEntryForm", [this](QWidget* w) {
        auto* form = static_cast<IntroductionTextEditor*>(w);
        // F1 on Import File opens the import's own topic.
        auto* import = Find<QPushButton>(w, "ImportBtn");
        QApplication::setActiveWindow(w);
        import->setFocus();
        QTest::keyClick(import, Qt::Key_F1);
        ASSERT_EQ(rec.help.requests.size(), 1u);
        EXPECT_EQ(rec.help.requests[0].topic, 520);
        Click(w, "ImportBtn");
        EXPECT_EQ(form->Editor()->toPlainText(), "First line\nSecond line");
        Click(w, "ImportBtn");
        EXPECT_EQ(form->Editor()->toPlainText(), "Bold text");
        Click(w, "BackColorBtn");
        EXPECT_EQ(form->Editor()->palette().color(QPalette::Base), QColor(Qt::yellow));
        Click(w, "CancelBtn");
    });
    EXPECT_FALSE(EditIntroduction(project, rec.platform(), record));
    EXPECT_EQ(record, before);
    EXPECT_FALSE(std::filesystem::exists(project.DataFilePath()));

    rec.dialogs.colors = {QColor(Qt::yellow)};
    WhenShown("TIntroEntryForm", [](QWidget* w) {
        static_cast<IntroductionTextEditor*>(w)->Editor()->setPlainText("Hello");
        Click(w, "BackColorBtn");
        Click(w, "OKBtn");
    });
    EXPECT_TRUE(EditIntroduction(project, rec.platform(), record));
    EXPECT_EQ(ByteReader(record.span()).u32(2052), 0x00FFFFu);  // WindowColor
    std::vector<std::string> text;
    ASSERT_TRUE(LoadIntroduction(project.DataFilePath(), text));
    const LearnerScreenContext context = Context(record);
    IntroductionDialog display(context, text);
    EXPECT_EQ(display.Screen()->TextWindow()->toPlainText(), "Hello");
    EXPECT_EQ(display.Screen()->TextWindow()->palette().color(QPalette::Base), QColor(Qt::yellow));
}
