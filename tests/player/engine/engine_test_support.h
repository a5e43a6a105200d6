#pragma once
// Shared pieces of the interpreter tests: a tutorial in a temporary folder, chapters written
// into it, and a run through the headless host that records the lines executed.
#include <QImage>
#include <fstream>
#include <stdexcept>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../../format/test_folder.h"
#include "engine/chapter_player.h"
#include "headless_host.h"
#include "project/project.h"
#include "screen/text_screen.h"
#include "../../qstring_printer.h"

namespace quill::test {

// Lines joined with CR LF, as a chapter file.
inline std::string Chapter(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// A headless host whose waits can look at the screen, and which can be told to stop.
class TestHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    std::function<void(int ms)> onDelay;
    std::function<void()> onQuiz;  // runs when the quiz waits for its answer
    std::vector<int> delays;
    int eventCalls = 0;
    int stopAfterEvents = -1;  // stopRequested() once processEvents ran this often

    bool waitDelay(int ms) override {
        delays.push_back(ms);
        if (onDelay) onDelay(ms);
        return HeadlessHost::waitDelay(ms);
    }
    QuizReply askQuizAnswer() override {
        if (onQuiz) onQuiz();
        return HeadlessHost::askQuizAnswer();
    }
    void processEvents() override { ++eventCalls; }
    bool stopRequested() const override {
        return HeadlessHost::stopRequested() || (stopAfterEvents >= 0 && eventCalls >= stopAfterEvents);
    }
    QStringList errors() const { return texts(HostMessage::Kind::Error); }
    QStringList infos() const { return texts(HostMessage::Kind::Info); }

private:
    QStringList texts(HostMessage::Kind kind) const {
        QStringList out;
        for (const auto& m : messages())
            if (m.kind == kind) out.push_back(m.text);
        return out;
    }
};

class Tutorial {
public:
    Tutorial() { NewTutorial(project, folder.path() / "T", "T"); }

    void write(std::string_view name, const std::string& bytes) const {
        std::ofstream(dir() / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string read(std::string_view name) const { return TempFolder::read(dir() / name); }
    void chapter(std::string_view name, std::initializer_list<std::string_view> lines) const {
        write(std::string(name) + ".QKS", Chapter(lines));
    }
    std::filesystem::path dir() const { return project.ProjectDir; }
    std::filesystem::path path(std::string_view name) const { return dir() / name; }

    TempFolder folder;
    Project project;
};

// One run: the host, the screen and the player, and the lines executed as "CHAPTER:N" and
// as their texts.
class Session {
public:
    Session(const Tutorial& t, const QString& answers = {})
        : host(Parse(answers)), screen(t.project.Config, t.project.ProjectDir, &host), player(t.project, screen, host) {
        host.setScreen(&screen);
        player.setStepLimit(100000);
        player.setTracer([this](const std::string& chapter, int line, const std::string& text) {
            where.push_back(chapter + ":" + std::to_string(line));
            lines.push_back(line);
            texts.push_back(text);
        });
    }
    PlayResult play(std::string_view chapter) { return result = player.run(chapter); }
    bool ran(std::string_view text) const {
        for (const auto& t : texts)
            if (t == text) return true;
        return false;
    }

    TestHost host;
    TextScreen screen;
    ChapterPlayer player;
    PlayResult result;
    std::vector<std::string> where;
    std::vector<int> lines;
    std::vector<std::string> texts;

private:
    static std::vector<HeadlessAnswer> Parse(const QString& answers) {
        QStringList errors;
        auto parsed = ParseAnswers(answers, &errors);
        if (!errors.isEmpty()) throw std::runtime_error(errors.join('\n').toStdString());
        return parsed;
    }
};

}  // namespace quill::test
