#include "tutorial/headless_run.h"

#include <algorithm>

#include "datafile/data_file.h"
#include "engine/play_observer.h"
#include "project/project.h"
#include "project/tutorial_source.h"
#include "screen/text_screen.h"
#include "text/cp1252.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "tutorial/headless_tutorial.h"
#include "tutorial/play_transcript.h"

namespace quill {

namespace {

// Several observers behind the player's one.
class Observers : public PlayObserver {
public:
    explicit Observers(std::vector<PlayObserver*> all) : all_(std::move(all)) {}
    void chapterStarted(const std::string& f) override { for (auto* o : all_) o->chapterStarted(f); }
    void lineReached(int line) override { for (auto* o : all_) o->lineReached(line); }
    void sectionEntered(int line) override { for (auto* o : all_) o->sectionEntered(line); }
    void answerChosen(int first, int count, int answer) override {
        for (auto* o : all_) o->answerChosen(first, count, answer);
    }
    void entryPicked(PickList list, int first, int count, int picked) override {
        for (auto* o : all_) o->entryPicked(list, first, count, picked);
    }
    void wordFollowed(const QString& word) override { for (auto* o : all_) o->wordFollowed(word); }

private:
    std::vector<PlayObserver*> all_;
};

}  // namespace

std::vector<HeadlessAnswer> ReadAnswersFile(const std::filesystem::path& file, QStringList* errors) {
    // An answers file is a few lines a wait; far more than any run can use is refused.
    constexpr std::uint64_t kMaxAnswersBytes = 16 << 20;
    const std::string bytes = ReadFileBytes(file, kMaxAnswersBytes);
    return ParseAnswers(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), errors);
}

HeadlessRunResult RunHeadless(Project& project, const HeadlessRunOptions& options) {
    HeadlessHost host(options.answers);
    TextScreen screen(project.Config, project.ProjectDir, &host);
    host.setScreen(&screen);
    if (!options.snapshots.empty()) host.setSnapshotFolder(options.snapshots);
    if (options.messages) host.setMessageSink(options.messages);
    std::optional<PlayTranscript> transcript;
    std::vector<PlayObserver*> observers = options.observers;
    if (options.transcript) {
        transcript.emplace(screen, options.transcriptHeading);
        host.setListener(&*transcript);
        observers.push_back(&*transcript);
    }
    const auto entries = SourceOf(project);
    host.setEntryPerformer([entries](EntrySource source, const QString& name) {
        const std::string_view sourceName = source == EntrySource::Hyper     ? kSourceHyper
                                            : source == EntrySource::Execute ? kSourceExecute
                                                                             : kSourceUtility;
        TextLines entry;
        return entries->LoadEntry(ToCp1252(name), sourceName, entry);
    });

    Observers fanOut(observers);
    PlayObserver* observer = observers.empty()     ? nullptr
                             : observers.size() == 1 ? observers.front()
                                                     : &fanOut;
    bool failed = false;
    // Runs one chapter; a script error or the step limit fails the run.
    auto runChapter = [&](const std::string& chapter) {
        ChapterPlayer player(project, screen, host);
        if (options.tracer) player.setTracer(options.tracer);
        player.setObserver(observer);
        player.setStepLimit(options.steps);
        host.setHyperFollower([&player](const QString& word) { player.hypertextClicked(word); });
        const PlayResult result = player.run(chapter);
        host.setHyperFollower({});
        if (result.end == PlayEnd::ScriptError) failed = true;
        if (result.end == PlayEnd::StepLimit) {
            host.showError(FromCp1252("The run was stopped after " + std::to_string(result.steps) +
                                      " lines (the limit of --steps) in " + result.chapter + " at line " +
                                      std::to_string(player.lineNumber()) + "."));
            failed = true;
        }
    };

    if (!options.chapter.empty()) {
        runChapter(options.chapter);
    } else {
        HeadlessTutorialStage stage(project.Config, project.ProjectDir, host, runChapter, [entries] {
            TextLines lines;
            entries->LoadIntroduction(lines);
            return std::vector<std::string>(lines.begin(), lines.end());
        });
        PlayTutorial(project.Config, stage);
    }
    host.saveSnapshot();
    HeadlessRunResult result;
    result.failed = failed || host.answerRefused();
    result.messages = host.messages();
    if (transcript) result.transcript = transcript->text();
    return result;
}

}  // namespace quill
