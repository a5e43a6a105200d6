#pragma once
// TutorialSource: where the player takes a tutorial's chapters and data file entries from. The
// authoring tool plays the project's own files (chapter sources ".QKS" and the data file
// ".QKR"); the learner's player plays the compiled files (".QKC" chapters, the data image of the
// ".QKD"). Both give the same lines, so a tutorial plays the same either way.
//
// Names and texts are Windows-1252 bytes, as everywhere in the format library.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/line_buffer.h"

namespace quill {

class Project;

struct ChapterText {
    std::string name;                // the chapter as the player names it (NAME.QKS)
    LineBuffer lines;  // its lines, as the author wrote them, in one buffer
};

class TutorialSource {
public:
    virtual ~TutorialSource() = default;

    // The chapter chapterFile ("NAME.QKS"; the folder and letter case do not matter), or nullopt
    // when the tutorial has no such chapter. A chapter that exists but cannot be read, or is
    // damaged, throws IoError naming the file.
    virtual std::optional<ChapterText> LoadChapter(std::string_view chapterFile) const = 0;
    // The file named in the "was not found" message for a missing chapter.
    virtual std::string ChapterFileName(std::string_view chapterFile) const = 0;

    // The data file entries, with the results of the data file functions of the same names.
    virtual bool LoadEntry(std::string_view name, std::string_view source,
                           std::vector<std::string>& list) const = 0;
    virtual void ListEntryNames(std::vector<std::string>& list, std::string_view source) const = 0;
    virtual bool LoadIntroduction(std::vector<std::string>& text) const = 0;
    virtual bool LoadWindowText(std::string_view name, std::string& color,
                                std::vector<std::string>& text) const = 0;
};

// The project's own files: chapter sources and the tutorial data file in the project folder.
class ProjectSource : public TutorialSource {
public:
    ProjectSource(std::filesystem::path projectDir, std::string dataFileName);

    std::optional<ChapterText> LoadChapter(std::string_view chapterFile) const override;
    std::string ChapterFileName(std::string_view chapterFile) const override;
    bool LoadEntry(std::string_view name, std::string_view source,
                   std::vector<std::string>& list) const override;
    void ListEntryNames(std::vector<std::string>& list, std::string_view source) const override;
    bool LoadIntroduction(std::vector<std::string>& text) const override;
    bool LoadWindowText(std::string_view name, std::string& color,
                        std::vector<std::string>& text) const override;

private:
    std::filesystem::path dataFile() const;
    std::filesystem::path projectDir_;
    std::string dataFileName_;
};

// The source a project plays from: its Source when one is set (a compiled tutorial), otherwise
// its own chapter sources and data file.
std::shared_ptr<const TutorialSource> SourceOf(const Project& project);

}  // namespace quill
