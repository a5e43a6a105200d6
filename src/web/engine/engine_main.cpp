// The engine in the browser: the project's own interpreter and text screen, built with
// emscripten, with a player host whose every wait is one asynchronous call into the page's
// script (quill_player.js: Module.quillHost.wait). The page writes the exported tutorial's files
// into the in-memory file system (/tutorial, the learner's files in /learner) and calls
// quill_play; emscripten's Asyncify suspends the engine while the page waits for the learner.
#include <emscripten.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "build/compiled_tutorial.h"
#include "datafile/data_file.h"
#include "datafile/perform_entry.h"
#include "engine/chapter_player.h"
#include "engine/play_observer.h"
#include "host.h"
#include "project/config_record.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/tutorial_source.h"
#include "richtext/rich_text_key.h"
#include "screen/glyph_masks.h"
#include "screen/text_screen.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "tutorial/tutorial_sequence.h"

namespace fs = std::filesystem;

// kind: what the engine waits for; data: a JSON object describing it. Returns the page's answer
// (malloc'd UTF-8, freed by the caller).
EM_ASYNC_JS(char*, quill_host_wait, (const char* kind, const char* data), {
    const answer = await Module.quillHost.wait(UTF8ToString(kind), JSON.parse(UTF8ToString(data)));
    const text = answer === undefined || answer === null ? "" : String(answer);
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});

namespace quill {

namespace {

// ---- JSON ----------------------------------------------------------------------------------

class Json {
public:
    Json& raw(const std::string& s) {
        comma();
        out_ += s;
        return *this;
    }
    Json& key(const char* k) {
        comma();
        str(k);
        out_ += ':';
        fresh_ = true;
        return *this;
    }
    Json& value(const std::string& s) {
        comma();
        str(s);
        return *this;
    }
    Json& value(const char* s) { return value(std::string(s)); }
    Json& value(long long n) {
        comma();
        out_ += std::to_string(n);
        return *this;
    }
    Json& value(int n) { return value(static_cast<long long>(n)); }
    Json& value(bool b) {
        comma();
        out_ += b ? "true" : "false";
        return *this;
    }
    Json& value(const Colour& c) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red(), c.green(), c.blue());
        return value(std::string(buf));
    }
    Json& value(const Rect& r) {
        open('[');
        value(r.left()).value(r.top()).value(r.width()).value(r.height());
        return close(']');
    }
    Json& value(const TextList& list) {
        open('[');
        for (const auto& s : list) value(s);
        return close(']');
    }
    Json& value(const Font& f) {
        open('{');
        key("family").value(f.family()).key("size").value(f.pixelSize()).key("bold").value(f.bold());
        key("italic").value(f.italic()).key("underline").value(f.underline()).key("strikeOut").value(f.strikeOut());
        return close('}');
    }
    Json& open(char c) {
        comma();
        out_ += c;
        fresh_ = true;
        return *this;
    }
    Json& close(char c) {
        out_ += c;
        fresh_ = false;
        return *this;
    }
    const std::string& str() const { return out_; }

private:
    void comma() {
        if (!fresh_ && !out_.empty()) out_ += ',';
        fresh_ = false;
    }
    void str(const std::string& s) {
        out_ += '"';
        for (unsigned char c : s) {
            switch (c) {
                case '"': out_ += "\\\""; break;
                case '\\': out_ += "\\\\"; break;
                case '\n': out_ += "\\n"; break;
                case '\r': out_ += "\\r"; break;
                case '\t': out_ += "\\t"; break;
                default:
                    if (c < 0x20) {
                        char buf[8];
                        std::snprintf(buf, sizeof buf, "\\u%04x", c);
                        out_ += buf;
                    } else {
                        out_ += static_cast<char>(c);
                    }
            }
        }
        out_ += '"';
    }
    std::string out_;
    bool fresh_ = true;
};

std::string Cp(const std::string& bytes) { return Cp1252ToUtf8(bytes); }

// A picture in the engine's memory, for the page to copy while the wait lasts.
void PictureJson(Json& j, const Image& image) {
    j.open('{');
    j.key("pixels").value(static_cast<long long>(reinterpret_cast<std::uintptr_t>(image.constBits())));
    j.key("width").value(image.width()).key("height").value(image.height());
    j.close('}');
}

// Everything the learner sees besides the raster: the screen objects as data (the page makes
// elements of them, as the preview window makes widgets).
void ScreenJson(Json& j, const TextScreen& s) {
    j.open('{');
    j.key("raster").value(static_cast<long long>(reinterpret_cast<std::uintptr_t>(s.image().constBits())));
    j.key("top").value(s.titleOffset());
    const TitlePanel& t = s.title();
    j.key("title").open('{').key("visible").value(t.visible).key("text").value(t.text);
    j.key("font").value(t.font).key("text_colour").value(t.textColour).key("back").value(t.backColour).close('}');
    const ControlBar& bar = s.controlBar();
    j.key("bar").open('{').key("visible").value(bar.visible).key("colour").value(bar.colour);
    j.key("legends").open('[');
    for (const auto& l : bar.legends) j.value(l);
    j.close(']').key("shown").open('[');
    for (bool b : bar.shown) j.value(b);
    j.close(']').close('}');
    j.key("hyper").open('[');
    for (const HyperLabel& l : s.hyperLabels())
        j.open('{').key("rect").value(l.rect).key("text").value(l.text).key("colour").value(l.textColour).key("back").value(l.backColour).close('}');
    j.close(']');
    j.key("labels").open('[');
    for (const TextLabel& l : s.textLabels())
        j.open('{').key("rect").value(l.rect).key("text").value(l.text).key("colour").value(l.textColour).key("back").value(l.backColour).close('}');
    j.close(']');
    j.key("pictures").open('[');
    for (const Picture& p : s.pictures()) {
        j.open('{').key("rect").value(p.rect).key("file").value(p.file).key("image");
        PictureJson(j, p.image);
        j.close('}');
    }
    j.close(']');
    const ScreenImage& full = s.screenImage();
    j.key("screenImage").open('{').key("visible").value(full.visible);
    if (full.visible) {
        j.key("image");
        PictureJson(j, full.image);
    }
    j.close('}');
    j.key("panels").open('[');
    for (const PanelBox& b : s.panelBoxes())
        j.open('{').key("rect").value(b.rect).key("caption").value(b.caption).key("font").value(b.font)
            .key("colour").value(b.textColour).key("back").value(b.backColour).key("align").value(b.alignment).close('}');
    j.close(']');
    j.key("menu").open('[');
    for (const MenuButton& m : s.menuButtons())
        j.open('{').key("number").value(m.number).key("rect").value(m.rect).key("caption").value(m.caption).close('}');
    j.close(']');
    const RichTextPanel& rich = s.richText();
    j.key("rich").open('{').key("visible").value(rich.visible);
    if (rich.visible) {
        j.key("rect").value(rich.rect).key("back").value(rich.backColour).key("key").value(RichTextKey(rich.lines));
        TextList plain;
        for (const auto& l : rich.lines) plain.push_back(Cp(l));
        j.key("lines").value(plain);
    }
    j.close('}');
    const AnswerControls& a = s.answers();
    j.key("input").open('{').key("visible").value(a.input.visible).key("rect").value(a.input.rect).key("max").value(a.input.maxLength).close('}');
    j.key("choice").open('{').key("visible").value(a.choice.visible).key("enabled").value(a.choice.enabled);
    j.key("rect").value(a.choice.rect).key("left").value(a.choice.left).key("right").value(a.choice.right);
    j.key("leftButton").value(a.choice.leftButton).key("rightButton").value(a.choice.rightButton).close('}');
    j.key("list").open('{').key("visible").value(a.list.visible).key("rect").value(a.list.rect).key("items").value(a.list.items).key("selected").value(a.list.selected).close('}');
    for (const char* which : {"memo", "display"}) {
        const MemoBox& m = which[0] == 'm' ? a.memo : a.display;
        j.key(which).open('{').key("visible").value(m.visible).key("readOnly").value(m.readOnly).key("rect").value(m.rect).key("lines").value(m.lines).close('}');
    }
    j.key("quiz").open('[');
    for (const QuizAnswer& q : a.quiz)
        j.open('{').key("number").value(q.number).key("rect").value(q.rect).key("letter").value(q.letter).key("text").value(q.text).key("back").value(q.backColour).close('}');
    j.close(']');
    j.close('}');
}

// ---- the host --------------------------------------------------------------------------------

const char* SourceName(EntrySource source) {
    switch (source) {
        case EntrySource::Hyper: return "HYPER";
        case EntrySource::Execute: return "EXECUTE";
        case EntrySource::Utility: return "UTILITY";
    }
    return "HYPER";
}

class WebHost;

// What a data-file entry does in the browser: text entries are shown by the page, web pages and
// files the page can open are opened, and what a browser cannot do (start a program, open the
// notes editor) is said in a message.
class WebEntryActions : public EntryActions {
public:
    explicit WebEntryActions(WebHost& host) : host_(host) {}
    void ShowTextEntry(TextDisplay display, const std::string& name, const TScreenBackground& settings,
                       const TextLines& text) override;
    void PreviewMedia(const std::string& name, const std::string& command) override;
    void LaunchProgram(int kind, const std::string& command) override;
    void OpenWithShell(const std::string& command) override;
    void OpenNotes(const std::string& notesFile) override;

private:
    WebHost& host_;
};

class WebHost : public PlayerHost {
public:
    WebHost(const Project& project, TextScreen& screen) : project_(project), screen_(screen) {}
    void setPlayer(ChapterPlayer* player) { player_ = player; }

    // One wait of the page: the screen and what is asked, the answer as text. An answer
    // "hyper:WORD" is a click on a hypertext word: it is followed and the wait goes on.
    std::string wait(const char* kind, const std::string& extra = {}, bool withScreen = true) {
        for (;;) {
            if (stop_) return {};
            Json j;
            j.open('{');
            if (withScreen) {
                j.key("screen");
                ScreenJson(j, screen_);
            }
            if (!extra.empty()) j.raw(extra);
            j.close('}');
            char* answer = quill_host_wait(kind, j.str().c_str());
            std::string text = answer ? answer : "";
            std::free(answer);
            if (text == "stop") {
                stop_ = true;
                return {};
            }
            if (text.rfind("hyper:", 0) == 0 && player_) {
                player_->hypertextClicked(text.substr(6));
                continue;
            }
            return text;
        }
    }
    // A message of the page that waits for its OK (no screen: it stands over it).
    void message(const char* kind, const std::string& text) {
        Json j;
        j.key("text").value(text);
        wait(kind, j.str(), false);
    }

    ControlButton waitForButton() override {
        const std::string a = wait("button");
        switch (a.empty() ? 'Q' : a[0]) {
            case 'C': return ControlButton::Continue;
            case 'H': return ControlButton::Help;
            case 'P': return ControlButton::PageBack;
            case 'U': return ControlButton::Utilities;
            default: return ControlButton::Quit;
        }
    }
    KeyPress waitForKey() override {
        const std::string a = wait("key");
        if (a.rfind("key:", 0) == 0 && a.size() > 4) return {false, FirstChar(a.substr(4))};
        return {true, {}};
    }
    bool waitDelay(int milliseconds) override {
        Json j;
        j.key("ms").value(milliseconds);
        return wait("delay", j.str()) == "key";
    }
    void waitSlowTick() override { wait("tick"); }
    void processEvents() override {
        // The page gets its turn about every 50 ms, so a chapter that loops without waiting can
        // still be stopped; more often, each turn's unwinding and the browser's minimum timer
        // delay cost more than the lines played between them.
        const double now = emscripten_get_now();
        if (now - lastTurn_ < 50.0) return;
        lastTurn_ = now;
        wait("events", {}, false);
    }
    bool stopRequested() const override { return stop_; }
    // The screen as the run left it (the page keeps showing it; a test takes its last picture).
    void showEnd() {
        stop_ = false;
        wait("end");
    }

    Text askInput() override {
        std::string a = wait("input");
        return a.rfind("text:", 0) == 0 ? a.substr(5) : a;
    }
    bool askChoice() override { return wait("choice") == "left"; }
    int askList() override { return std::atoi(wait("list").c_str()); }
    int askMenuButton() override { return std::atoi(wait("menu").c_str()); }
    QuizReply askQuizAnswer() override {
        const std::string a = wait("quiz");
        if (a.rfind("key:", 0) == 0 && a.size() > 4) return {0, FirstChar(a.substr(4))};
        return {std::atoi(a.c_str()), {}};
    }
    TextList askMemo() override {
        const std::string a = wait("memo");
        TextList lines;
        if (a.empty()) return lines;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = a.find('\n', start);
            lines.push_back(a.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return lines;
    }
    std::optional<int> chooseUtility(const TextList& names) override {
        Json j;
        j.key("names").value(names);
        const std::string a = wait("utility", j.str());
        if (a.empty() || a == "cancel") return std::nullopt;
        const int n = std::atoi(a.c_str());
        if (n < 0 || n >= static_cast<int>(names.size())) return std::nullopt;
        return n;
    }

    void showError(const Text& text) override { message("error", text); }
    void showInfo(const Text& text) override { message("info", text); }

    bool performEntry(EntrySource source, const Text& name) override {
        TextLines lines;
        const auto src = SourceOf(project_);
        if (!src->LoadEntry(ToCp1252(name), SourceName(source), lines) || lines.empty()) return false;
        WebEntryActions actions(*this);
        PerformEntry(lines, actions);
        return true;
    }
    void openNotes(const fs::path&, const Text&) override { message("info", kNoNotes); }
    // The page says that it cannot print (the print question's place in the run is kept).
    void printLines(const TextList&, const Text&) override { wait("print"); }
    void showHelp(const Text&, int) override {
        message("info", "Help files cannot be shown in the web player.");
    }

    static constexpr const char* kNoNotes =
        "The notes editor is not available in the web player: notes cannot be written here.";

private:
    const Project& project_;
    TextScreen& screen_;
    ChapterPlayer* player_ = nullptr;
    bool stop_ = false;
    double lastTurn_ = 0;  // when the page last had its turn (ms, emscripten_get_now)
};

void WebEntryActions::ShowTextEntry(TextDisplay display, const std::string& name, const TScreenBackground& settings,
                                    const TextLines& text) {
    (void)settings;
    Json j;
    j.key("name").value(Cp(name)).key("viewport").value(display == TextDisplay::Viewport);
    j.key("key").value(RichTextKey(text));
    TextList plain;
    for (const auto& l : text) plain.push_back(Cp(l));
    j.key("lines").value(plain);
    host_.wait("text", j.str(), false);
}

void WebEntryActions::PreviewMedia(const std::string& name, const std::string& command) {
    Json j;
    j.key("name").value(Cp(name)).key("command").value(Cp(command));
    host_.wait("media", j.str(), false);
}

void WebEntryActions::LaunchProgram(int, const std::string& command) {
    host_.message("info", "The web player cannot start programs: " + Cp(command) + " is not run.");
}

void WebEntryActions::OpenWithShell(const std::string& command) {
    Json j;
    j.key("command").value(Cp(command));
    host_.wait("open", j.str(), false);
}

void WebEntryActions::OpenNotes(const std::string&) { host_.message("info", WebHost::kNoNotes); }

// ---- quiz results ----------------------------------------------------------------------------

// Whether the learner's first answer to each question was right, for the learning management
// system's score. A question is one quiz answers command; its first answer was right when the
// run goes on to the quiz's exit (*ExitQuiz) without going back to the question first
// (*ReturnToQuiz), which is how a chapter takes a wrong answer. Questions of other shapes are not
// counted.
class QuizScore : public PlayObserver {
public:
    QuizScore(const Project& project, WebHost& host) : project_(project), host_(host) {}

    void chapterStarted(const std::string& chapterFile) override {
        chapter_ = chapterFile;
        kinds_.clear();
        kindsRead_ = false;
        pending_.clear();
    }
    void lineReached(int line) override {
        if (pending_.empty()) return;
        readKinds();
        if (line < 1 || static_cast<std::size_t>(line) > kinds_.size()) return;
        const char kind = kinds_[static_cast<std::size_t>(line - 1)];
        if (kind == 0) return;
        Json j;
        j.key("right").value(kind == 'X');
        host_.wait("quiz-result", j.str(), false);
        pending_.clear();
    }
    void sectionEntered(int) override {}
    void answerChosen(int firstLine, int, int answer) override {
        if (answer <= 0) return;
        const std::string question = chapter_ + ":" + std::to_string(firstLine);
        // Only the first answer to a question counts.
        if (asked_.insert(question).second) pending_ = question;
    }
    void entryPicked(PickList, int, int, int) override {}
    void wordFollowed(const Text&) override {}

private:
    // The chapter's lines are classified when a question of it is first answered: a chapter
    // without quiz answers is not read a second time.
    void readKinds() {
        if (kindsRead_) return;
        kindsRead_ = true;
        const auto text = SourceOf(project_)->LoadChapter(chapter_);
        if (!text) return;
        for (const std::string_view line : text->lines) {
            const std::string upper = UpperAscii(line.substr(0, 14));
            kinds_.push_back(upper.rfind("*RETURNTOQUIZ", 0) == 0 ? 'R' : upper.rfind("*EXITQUIZ", 0) == 0 ? 'X' : 0);
        }
    }

    const Project& project_;
    WebHost& host_;
    std::string chapter_;
    std::vector<char> kinds_;  // per line: 'R' *ReturnToQuiz, 'X' *ExitQuiz
    bool kindsRead_ = false;
    std::set<std::string> asked_;
    std::string pending_;  // the question whose first answer waits for its outcome
};

// ---- the tutorial --------------------------------------------------------------------------

// emscripten starts with a umask of 0777, which would make every file the tutorial writes
// (USER.DAT, its own files) unreadable; a desktop's usual one instead, set before the other
// static initialisers run (the file layer reads the umask once, as the program starts).
__attribute__((constructor(101))) void UseDesktopUmask() { ::umask(022); }

std::unique_ptr<Project> gProject;

// The whole tutorial in the page: the about box, the introduction and the main menu are page
// dialogs; each chapter runs on a fresh screen, as the preview does.
class WebStage : public TutorialStage {
public:
    WebStage(const Project& project, WebHost& host, TextScreen& screen, ChapterPlayer& player)
        : project_(project), host_(host), screen_(screen), player_(player) {}

    void ShowBackground() override {}
    void UseTutorialHelp(const std::string&) override {}
    void PerformCommand(const TutorialCommand& command) override {
        if (command.action == CommandAction::None || command.command.empty()) return;
        host_.message("info", std::string("The web player does not run the tutorial's ") +
                                  (command.opening ? "opening" : "closing") + " command " + Cp(command.command) + ".");
    }
    void ShowAboutBox() override {
        namespace A = cfg::About;
        TextList texts;
        for (const StrField& field : {A::BoxTitle, A::ProgramName, A::VersionText, A::AuthorLine, A::Comment1,
                                      A::Comment2, A::Comment3, A::Comment4})
            if (const std::string text = project_.Config.get(field); !text.empty()) texts.push_back(Cp(text));
        Json j;
        j.key("texts").value(texts);
        host_.wait("about", j.str(), false);
    }
    std::vector<std::string> LoadIntroduction() override {
        std::vector<std::string> lines;
        SourceOf(project_)->LoadIntroduction(lines);
        return lines;
    }
    void ShowIntroduction(const std::vector<std::string>& text) override {
        Json j;
        j.key("key").value(RichTextKey(text));
        TextList plain;
        for (const auto& l : text) plain.push_back(Cp(l));
        j.key("lines").value(plain);
        host_.wait("intro", j.str(), false);
    }
    TutorialMenuPick ShowMainMenu() override {
        namespace M = cfg::MainMenu;
        const int count = std::clamp(project_.Config.get(M::ChapterCount), 0, static_cast<int>(M::MaxChapters));
        TextList picks;
        for (int n = 1; n <= count; ++n) picks.push_back(Cp(project_.Config.get(M::Chapter(n).Topic)));
        Json j;
        j.key("title").value(Cp(project_.ProgramTitle)).key("picks").value(picks);
        const int pick = std::atoi(host_.wait("mainmenu", j.str(), false).c_str());
        TutorialMenuPick out;
        if (pick >= 1 && pick <= count) {
            out.quit = false;
            out.chapter = project_.Config.get(M::Chapter(pick).FileName);
        }
        return out;
    }
    void RunChapter(const std::string& chapter) override {
        const PlayResult r = player_.run(NameOnly(chapter));
        last_ = r.end;
        if (r.end == PlayEnd::Finished || r.end == PlayEnd::Exited) finished_.insert(UpperAscii(NameOnly(chapter)));
        (void)screen_;
    }
    void Finish() override {}
    PlayEnd last() const { return last_; }
    // The learner played the tutorial to its end: the starting chapter to its last line (or
    // *Exit), or every chapter of the main menu so in this session.
    bool completed() const {
        const TTutorialConfig& config = project_.Config;
        const int type = config.get(cfg::TutorialType);
        if (type == 0) return finished_.count(UpperAscii(NameOnly(config.get(cfg::StartChapter)))) > 0;
        if (type != 1) return false;
        namespace M = cfg::MainMenu;
        const int count = std::clamp(config.get(M::ChapterCount), 0, static_cast<int>(M::MaxChapters));
        if (count == 0) return false;
        for (int n = 1; n <= count; ++n)
            if (!finished_.count(UpperAscii(NameOnly(config.get(M::Chapter(n).FileName))))) return false;
        return true;
    }

private:
    const Project& project_;
    WebHost& host_;
    TextScreen& screen_;
    ChapterPlayer& player_;
    PlayEnd last_ = PlayEnd::Finished;
    std::set<std::string> finished_;  // chapters played to their end (upper-cased names)
};

bool gCompleted = false;

bool LoadMasks(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::string bytes;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    auto masks = GlyphMasksFromBytes(bytes);
    if (!masks) return false;
    UseScreenGlyphMasks(*masks);
    return true;
}

// One run's screen, host, player and quiz score, wired to each other.
struct WebRun {
    explicit WebRun(const Project& project)
        : screen(project.Config, project.ProjectDir), host(project, screen), player(project, screen, host),
          score(project, host) {
        screen.setHost(&host);
        host.setPlayer(&player);
        player.setObserver(&score);
    }
    TextScreen screen;
    WebHost host;
    ChapterPlayer player;
    QuizScore score;
};

}  // namespace

}  // namespace quill

extern "C" {

// Opens the compiled tutorial `dataFile` (NAME.QKD in /tutorial) with the learner's files in
// `learnerDir` and the glyph masks from `masks`. Returns an empty string or the error message
// (static until the next call).
EMSCRIPTEN_KEEPALIVE const char* quill_open(const char* dataFile, const char* learnerDir, const char* masks) {
    using namespace quill;
    static std::string error;
    error.clear();
    try {
        if (!LoadMasks(masks)) throw IoError(std::string("The glyph masks ") + masks + " cannot be read.");
        // As the learner's player opens it: the settings now, each entry when first asked for.
        auto source = std::make_shared<CompiledSource>(fs::path(dataFile));
        auto project = std::make_unique<Project>();
        const fs::path file(dataFile);
        project->ProjectDir = file.parent_path();
        project->HomeDir = project->ProjectDir;
        project->ProjectName = NameOnly(file.filename().string());
        project->DataFileName = project->ProjectName + ".QKR";
        project->Config = source->Config();
        project->ProgramTitle = project->Config.get(cfg::Program::ProgramTitle);
        project->Source = std::move(source);
        project->LearnerDir = learnerDir;
        gProject = std::move(project);
    } catch (const std::exception& e) {
        error = e.what();
    }
    return error.c_str();
}

// 1 when the last run played the tutorial (or the chapter) to its end, else 0.
EMSCRIPTEN_KEEPALIVE int quill_completed() { return quill::gCompleted ? 1 : 0; }

// Plays the chapter (a name without extension) until it ends; returns how it ended
// (0 finished, 1 *Exit, 2 Quit, 3 a script error, 4 stopped, 5 step limit, -1 nothing open).
EMSCRIPTEN_KEEPALIVE int quill_play(const char* chapter) {
    using namespace quill;
    if (!gProject) return -1;
    WebRun run(*gProject);
    const PlayResult result = run.player.run(chapter);
    gCompleted = result.end == PlayEnd::Finished || result.end == PlayEnd::Exited;
    run.host.showEnd();
    return static_cast<int>(result.end);
}

// Plays the whole tutorial as the learner meets it (about box, introduction, the starting
// chapter or the main menu); returns as quill_play does, for the last chapter that ran.
EMSCRIPTEN_KEEPALIVE int quill_play_tutorial() {
    using namespace quill;
    if (!gProject) return -1;
    WebRun run(*gProject);
    WebStage stage(*gProject, run.host, run.screen, run.player);
    PlayTutorial(gProject->Config, stage);
    gCompleted = stage.completed();
    run.host.showEnd();
    return run.host.stopRequested() ? static_cast<int>(PlayEnd::Stopped) : static_cast<int>(stage.last());
}

}  // extern "C"
