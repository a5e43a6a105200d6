#pragma once
// PlayCoverage: what a set of headless runs reached of a tutorial's chapters (quillc coverage,
// the chapter editor's margin). It observes the chapter player of every run and then reports,
// per chapter, what no run reached:
//   - command and text lines never executed (comments, blank lines and markers do not count:
//     labels, page and quiz markers, branch markers);
//   - branch sections ("&1" and "&2") never entered;
//   - quiz answers never chosen, entries of match lists, list menus and button menus never
//     picked (and a match table's final action never taken);
//   - hypertext words never followed;
//   - chapters never started.
// Each gap is CHAPTER.QKS:LINE: not reached (WHAT), and the whole is also one HTML page with
// the chapters' lines shaded: reached, not reached, not counted.
#include <QString>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/play_observer.h"

namespace quill {

// A chapter as the report shows it: its file name and its lines (Windows-1252).
struct CoverageChapter {
    std::string file;
    std::vector<std::string> lines;
};

struct CoverageGap {
    std::string chapter;  // the file name (Windows-1252)
    int line = 0;         // 1-based
    QString what;         // "command", "quiz answer 2 never chosen", ...
    // "CHAPTER.QKS:LINE: not reached (WHAT)"
    QString text() const;
};

class PlayCoverage : public PlayObserver {
public:
    // PlayObserver
    void chapterStarted(const std::string& chapterFile) override;
    void lineReached(int line) override;
    void sectionEntered(int markerLine) override;
    void answerChosen(int firstLine, int count, int answer) override;
    void entryPicked(PickList list, int firstLine, int count, int picked) override;
    void wordFollowed(const QString& word) override;

    // What the runs did not reach of the chapters, in the chapters' order and by line.
    std::vector<CoverageGap> gaps(const std::vector<CoverageChapter>& chapters) const;
    // One HTML page (UTF-8) of the chapters, their lines shaded, the gaps named beside them.
    std::string html(const std::vector<CoverageChapter>& chapters, const QString& title) const;

private:
    struct Offer {
        QString what;  // "quiz answer 2", "menu entry 1", "final action"
        bool chosen = false;
    };
    struct Chapter {
        std::set<int> reached, sections;
        std::map<int, Offer> offers;  // by line
        std::set<QString> words;      // followed, upper-cased
    };
    const Chapter* find(const std::string& file) const;
    void offer(int firstLine, int count, int picked, const QString& kind);

    std::map<std::string, Chapter> chapters_;  // by upper-cased file name
    Chapter* current_ = nullptr;
};

// The hypertext words a chapter line shows (text lines: each |word|; *ImageHyperText: its
// word), in order.
std::vector<QString> HypertextWords(std::string_view line);

}  // namespace quill
