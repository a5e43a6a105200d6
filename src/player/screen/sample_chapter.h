#pragma once
// The sample chapter screen of the presentation designers (the tutorial presentation's sample
// and its View, the window-text viewer's control bar). It is drawn by the learner's own screen
// (TextScreen and RenderScreen), so what a designer shows and what a played chapter shows
// cannot differ: a chapter with the same title, lines and buttons gives the same picture.
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace quill {

class TTutorialConfig;

struct SampleChapter {
    std::string title;               // no title panel when empty
    int column = 1, row = 1;         // where the first line is drawn
    std::vector<std::string> lines;  // display text with its inline codes, one row each
    bool controlBar = true;          // the control bar with all five buttons
};

// The 640 x 480 picture of the sample in the record's colours, captions and title font.
QImage RenderSampleChapter(const TTutorialConfig& config, const std::filesystem::path& projectDir,
                           const SampleChapter& sample);

// The sample chapter screen of "View": the title "This is a Sample Title", lines of regular,
// bold, italic and bold italic text and a hypertext link.
SampleChapter SampleChapterScreen();

}  // namespace quill
