#include "screen/sample_chapter.h"

#include "project/config_record.h"
#include "screen/screen_render.h"
#include "screen/text_screen.h"

namespace quill {

QImage RenderSampleChapter(const TTutorialConfig& config, const std::filesystem::path& projectDir,
                           const SampleChapter& sample) {
    TextScreen screen(config, projectDir);
    if (!sample.title.empty())
        screen.showTitle(sample.title, screen.colours().titleText, screen.colours().titleBack);
    screen.setColumn(sample.column);
    screen.setRow(sample.row);
    for (const std::string& line : sample.lines) screen.drawPendingLine(line);
    if (sample.controlBar) {
        ControlBar& bar = screen.controlBar();
        bar.shown.fill(true);
        bar.visible = true;
    }
    return RenderScreen(screen);
}

SampleChapter SampleChapterScreen() {
    SampleChapter sample;
    sample.title = "This is a Sample Title";
    sample.column = 5;
    sample.row = 3;
    sample.lines = {"This is an example of regular Text",
                    "",
                    "^BThis is an example of Bold Text^R",
                    "",
                    "^IThis is an example of Italic Text^R",
                    "",
                    "^B^IThis is an example of Bold Italic Text^R",
                    "",
                    "This is a |HyperText Link|"};
    return sample;
}

}  // namespace quill
