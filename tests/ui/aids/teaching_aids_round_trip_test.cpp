// A round trip: a text link, a window text and a utility defined through the teaching aids
// editors are performed by a chapter that names them, run headless as quillc play runs it.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTextEdit>

#include "../window_driver.h"
#include "aids/entry_manager.h"
#include "aids/entry_performer.h"
#include "aids/rich_text_entry_editor.h"
#include "aids/hypertext_entry_editor.h"
#include "aids/rich_text_editor.h"
#include "aids/window_text_editor.h"
#include "aids_fixture.h"
#include "engine/chapter_player.h"
#include "headless_host.h"
#include "screen/text_screen.h"

using namespace quill;
using namespace quill::test;

namespace {

// Clicks every hypertext word on the screen at the first wait for a button, as the learner
// would in the preview window.
class ClickingHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    ChapterPlayer* player = nullptr;
    TextScreen* screen = nullptr;
    QStringList clicked;
    ControlButton waitForButton() override {
        if (clicked.isEmpty())
            for (const HyperLabel& label : screen->hyperLabels()) {
                clicked << label.text;
                player->hypertextClicked(label.text);
            }
        return HeadlessHost::waitForButton();
    }
};

void Click(QWidget* window, const char* name) { window->findChild<QPushButton*>(name)->click(); }

}  // namespace

struct TeachingAidsRoundTrip : AidsFixture {};

TEST_F(TeachingAidsRoundTrip, EntriesDefinedInTheEditorsArePerformedByAChapter) {
    SetConfigDefaults(project.Config);
    project.SaveProject();
    InProject("ding.wav", "RIFF");

    // The text link, through the hypertext editor and its rich-text editor.
    HypertextEntryEditor link(context, NewEntryDraft("HYPER", "safety rules"));
    WhenShown("THypEntryForm", [](QWidget* form) {
        static_cast<RichTextEntryEditor*>(form)->Editor()->Edit()->setPlainText("Wear a helmet.");
        Click(form, "OKBtn");
    });
    link.AddButton(1)->click();
    Click(&link, "OKBtn");
    ASSERT_EQ(link.result(), QDialog::Accepted);

    // The window text, on a yellow box.
    WindowTextEditor winText(context, "");
    winText.findChild<QLineEdit*>("Edit1")->setText("Notice");
    winText.Editor()->Edit()->setPlainText("Keep the exit clear.");
    rec.dialogs.colors.push_back(QColor(Qt::yellow));
    winText.Editor()->BackColorBtnClick();
    Click(&winText, "OKBtn");
    ASSERT_EQ(winText.result(), QDialog::Accepted);

    // The utility, through its manager, which turns the Utilities button on when it closes.
    {
        ProgramEntryManager manager(context, "UTILITY");
        WhenShown("TUTilExecForm", [](QWidget* window) {
            auto* editor = static_cast<UtilityEntryEditor*>(window);
            editor->findChild<QLineEdit*>("Edit1")->setText("Bell");
            editor->Radio(3)->click();
            WhenShown("TGetAudioForm", [](QWidget* chooser) { Click(chooser, "OKBtn"); });
            editor->AddButton(3)->click();
            Click(editor, "OKBtn");
        });
        manager.DefineBtn()->click();
        manager.reject();
    }
    EXPECT_TRUE(rec.messages.shown.empty()) << rec.messages.LastText().toStdString();

    // The chapter runs on the project as it was saved.
    home.write("SAFETY1.QKS", "*Controls C Q U\r\nRead the |safety rules| now.\r\n*WindowText 20 8 60 14 Notice\r\n"
                              "*Wait\r\n");
    Project saved(home.path());
    saved.ProjectDir = home.path();
    saved.ProjectFile = "SAFETY.QKJ";
    saved.LoadProject();
    EXPECT_EQ(saved.Config.get(cfg::UtilitiesOn), 1);

    TempFolder shots;
    QStringList errors;
    ClickingHost host(ParseAnswers("button U\nbutton Q\n", &errors));
    TextScreen screen(saved.Config, saved.ProjectDir, &host);
    ChapterPlayer player(saved, screen, host);
    host.player = &player;
    host.screen = &screen;
    host.setScreen(&screen);
    host.setSnapshotFolder(shots.path());
    AidsContext savedContext{saved, rec.platform(), system};
    QString shownText;
    host.setEntryPerformer([&](EntrySource source, const QString& name) {
        if (source == EntrySource::Hyper)
            WhenShown("TShowHTextForm", [&](QWidget* window) {
                shownText = window->findChild<QTextBrowser*>("RichEdit1")->toPlainText();
                Click(window, "OKBtn");
            });
        EntryPerformer performer(savedContext);
        return performer.Perform(source, name);
    });
    const PlayResult result = player.run("SAFETY1");
    EXPECT_EQ(result.end, PlayEnd::Quit);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(host.clicked, QStringList{"safety rules"});
    EXPECT_EQ(shownText.trimmed(), "Wear a helmet.");
    EXPECT_EQ(host.actions(), (QStringList{"PERFORM HYPER safety rules", "PERFORM UTILITY Bell"}));
    ASSERT_EQ(system.waves.size(), 1u);
    EXPECT_EQ(system.waves[0].filename(), "ding.wav");
    for (const HostMessage& m : host.messages()) ADD_FAILURE() << m.text.toStdString();

    // The snapshot of the first wait shows the window text on its yellow box.
    const QImage shot(QString::fromStdString((shots / "001.png").string()));
    ASSERT_FALSE(shot.isNull());
    const QRect box = screen.richText().rect;
    ASSERT_TRUE(box.isValid());
    EXPECT_EQ(shot.pixelColor(box.right() - 3, box.bottom() - 3), QColor(Qt::yellow));
    int dark = 0;  // the text's pixels
    for (int y = box.top(); y < box.top() + 30; ++y)
        for (int x = box.left(); x < box.right(); ++x) dark += qGray(shot.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
}
