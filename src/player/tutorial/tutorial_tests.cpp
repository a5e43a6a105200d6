#include "tutorial/tutorial_tests.h"

#include <QTemporaryDir>

#include "project/project.h"
#include "project/starting_chapter.h"
#include "project/tutorial_folder.h"
#include "text/cp1252.h"
#include "project/file_names.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/line_buffer.h"
#include "text/text_file.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kChapterLine = "# chapter ";

// The chapter of a first line "# chapter NAME" (the words in any letter case), or empty.
std::string ChapterOfAnswers(const std::string& bytes) {
    std::string first = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (first.starts_with("\xEF\xBB\xBF")) first.erase(0, 3);
    if (first.size() <= kChapterLine.size() ||
        !EqualsIgnoringCase(std::string_view(first).substr(0, kChapterLine.size()), kChapterLine))
        return {};
    const std::string name = first.substr(kChapterLine.size());
    const auto begin = name.find_first_not_of(" \t"), end = name.find_last_not_of(" \t");
    return begin == std::string::npos ? std::string() : name.substr(begin, end - begin + 1);
}

}  // namespace

std::vector<fs::path> TestAnswersFiles(const fs::path& projectDir) {
    std::vector<fs::path> files;
    const auto folder = FindEntryIgnoringCase(projectDir, "tests");
    std::error_code ec;
    if (folder && fs::is_directory(*folder, ec))
        for (auto& listed : ListFilesByMask(*folder, "*.answers")) files.push_back(std::move(listed.path));
    return files;
}

TestRun ReadTestRun(const fs::path& file) {
    TestRun run;
    run.name = file.stem().string();
    std::string bytes;
    try {
        // An answers file is a few lines a wait; far more than any run can use is refused.
        constexpr std::uint64_t kMaxAnswersBytes = 16 << 20;
        bytes = ReadFileBytes(file, kMaxAnswersBytes);
    } catch (const IoError& e) {
        run.problem = e.what();
        return run;
    }
    QStringList errors;
    run.answers = ParseAnswers(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), &errors);
    if (!errors.isEmpty()) run.problem = file.filename().string() + " " + errors.front().toStdString();
    run.chapter = ChapterOfAnswers(bytes);
    return run;
}

HeadlessRunResult PlayTestRun(const Project& project, const TestRun& run, HeadlessRunOptions options) {
    options.chapter = Utf8ToCp1252(run.chapter);
    options.answers = run.answers;
    QTemporaryDir learner;
    Project copy = project;
    if (learner.isValid()) copy.LearnerDir = fs::path(learner.path().toStdString());
    if (run.chapter.empty())
        if (const auto problem = StartingChapterProblem(copy.Config, copy.ProjectDir)) {
            HeadlessRunResult refused;
            refused.failed = true;
            refused.messages.push_back({HostMessage::Kind::Error, FromCp1252(*problem)});
            if (options.messages) options.messages(refused.messages.back());
            return refused;
        }
    return RunHeadless(copy, options);
}

std::vector<CoverageChapter> ReadProjectChapters(const Project& project) {
    std::vector<CoverageChapter> chapters;
    const TutorialFolder folder(project.ProjectDir);
    for (const auto& listed : ListFilesByMask(project.ProjectDir, project.ProjectName + "*.QKS")) {
        CoverageChapter c;
        c.file = listed.name;
        const LineBuffer lines(folder.Read(listed.path));
        for (const std::string_view l : lines) c.lines.emplace_back(l);
        chapters.push_back(std::move(c));
    }
    return chapters;
}

std::map<int, QStringList> UnreachedByTests(const Project& project, const std::string& chapterFile, QString* error) {
    std::map<int, QStringList> out;
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return std::map<int, QStringList>{};
    };
    const auto files = TestAnswersFiles(project.ProjectDir);
    if (files.empty())
        return fail(QStringLiteral("There are no answers files (NAME.answers) in the folder ") +
                    QString::fromStdString((project.ProjectDir / "tests").string()));
    PlayCoverage coverage;
    try {
        for (const fs::path& file : files) {
            const TestRun run = ReadTestRun(file);
            if (!run.problem.empty()) return fail(QString::fromStdString(run.problem));
            HeadlessRunOptions options;
            options.observers.push_back(&coverage);
            PlayTestRun(project, run, options);
        }
        CoverageChapter chapter;
        chapter.file = NameOnly(chapterFile) + ".QKS";
        const auto found = FindIgnoringCase(project.ProjectDir, chapter.file);
        const LineBuffer lines(TutorialFolder(project.ProjectDir).Read(found.value_or(project.ProjectDir / chapter.file)));
        for (const std::string_view l : lines) chapter.lines.emplace_back(l);
        for (const CoverageGap& gap : coverage.gaps({chapter})) out[gap.line].push_back(gap.what);
    } catch (const IoError& e) {
        return fail(QString::fromUtf8(e.what()));
    }
    if (error) error->clear();
    return out;
}

}  // namespace quill
