// libFuzzer target for a whole chapter run without a window: the bytes up to the first NUL are a
// chapter, the rest the answers. The run is bounded by a step limit and must end: no crash, no
// hang, and no file written outside the tutorial's folder (the folder above it is checked).
#include <QGuiApplication>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/chapter_player.h"
#include "fuzz_support.h"
#include "headless_host.h"
#include "project/project.h"
#include "screen/text_screen.h"

namespace fs = std::filesystem;

namespace {

// The tutorial folder as every run finds it: only the project file, a text file and two links
// out (to a file and to the folder above), whatever earlier runs wrote.
void ResetFolder() {
    const fs::path dir = quill::fuzz::Scratch() / "T";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        if (e.path().filename() != "T.QKJ") fs::remove_all(e.path(), ec);
    quill::fuzz::WriteScratch("T/a.txt", "first\r\nsecond\r\n");
    fs::create_symlink("../outside.txt", dir / "lnk.txt", ec);
    fs::create_directory_symlink("..", dir / "up", ec);
}

quill::Project& TheProject() {
    static quill::Project project = [] {
        quill::Project p;
        quill::NewTutorial(p, quill::fuzz::Scratch() / "T", "T");
        quill::fuzz::WriteScratch("outside.txt", "not for chapters\r\n");
        return p;
    }();
    return project;
}

std::size_t EntriesAbove() {
    std::size_t n = 0;
    for (auto it = fs::directory_iterator(quill::fuzz::Scratch()); it != fs::directory_iterator(); ++it) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    TheProject();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto nul = bytes.find('\0');
    const std::string_view chapter = bytes.substr(0, nul);
    const std::string_view answers = nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1);
    quill::Project& project = TheProject();
    ResetFolder();
    quill::fuzz::WriteScratch("T/T1.QKS", chapter);
    const std::size_t above = EntriesAbove();
    const std::string outside = quill::fuzz::Scratch().string() + "/outside.txt";

    QStringList errors;
    quill::HeadlessHost host(quill::ParseAnswers(QString::fromLatin1(answers.data(), static_cast<qsizetype>(answers.size())), &errors));
    quill::TextScreen screen(project.Config, project.ProjectDir, &host);
    host.setScreen(&screen);
    quill::ChapterPlayer player(project, screen, host);
    player.setStepLimit(2000);
    player.run("T1");

    if (EntriesAbove() != above) quill::fuzz::Fail("chapter run", "a file was made outside the tutorial folder");
    std::error_code ec;
    if (fs::file_size(outside, ec) != 18) quill::fuzz::Fail("chapter run", "a file outside the tutorial folder changed");
    return 0;
}
