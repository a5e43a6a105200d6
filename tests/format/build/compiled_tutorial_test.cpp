#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "../test_folder.h"
#include "build/compiled_tutorial.h"
#include "build/compiler.h"
#include "datafile/data_file.h"
#include "project/project.h"
#include "project/tutorial_source.h"
#include "text/errors.h"
#include "text/text_file.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

// A project SAFETY with two chapters and a data file of every kind, compiled.
struct CompiledFixture {
    TempFolder tmp;
    Project project;
    CompiledFixture() {
        project.HomeDir = tmp.path();
        project.ProjectDir = tmp.path();
        project.ProjectFile = "SAFETY.QKJ";
        project.LoadProject();
        project.Config.set(cfg::Program::ProgramTitle, "Safety first");
        // Tabs and form feeds shift to CR and LF bytes inside the compiled lines.
        tmp.write("SAFETY1.QKS", "*ClearScreen Blue\r\n\r\nA\r\n\tTabbed\tline\t\r\n\x0c\x09\r\n@JEnd\r\n");
        tmp.write("safety2.QKS", std::string(300, 'x') + "\r\n\xfe\xff\r\n");
        const fs::path data = project.DataFilePath();
        AddIntroduction(data, {"Welcome", "", "to the course"});
        AddCommandEntry(data, "Fire", 2, "HYPER", "fire.bmp,siren.wav");
        AddCommandEntry(data, "fire", 3, "UTILITY", "siren.wav");
        TScreenBackground settings{};
        AddTextEntry(data, "Exits", 1, "HYPER", {"{\\rtf1 Exits}"}, settings);
        AddWindowText(data, "Rules", "clYellow", {"{\\rtf1 Rule one}", ""});
        AddCommandEntry(data, "Calc", 4, "EXECUTE", "calc.exe");
        KeyGenerator keys;
        EXPECT_EQ(CompileAllCommand(project, keys).size(), 1u);
    }
};

}  // namespace

TEST(CompiledTutorial, ChaptersAndEntriesReadBackAsTheProjectGivesThem) {
    CompiledFixture f;
    const auto data = ReadCompiledDataFile(f.tmp / "SAFETY.QKD");
    EXPECT_TRUE(data.hasDataImage);
    EXPECT_EQ(data.config.bytes(), f.project.Config.bytes());

    const ProjectSource project(f.project.ProjectDir, f.project.DataFileName);
    // The entries read at once, and read from the file as they are asked for (the player's way).
    const CompiledSource eager(f.tmp.path(), data.entries);
    const CompiledSource lazy(f.tmp / "SAFETY.QKD");
    EXPECT_EQ(lazy.Config().bytes(), f.project.Config.bytes());
    EXPECT_TRUE(lazy.HasDataImage());
    for (const CompiledSource* source : {&eager, &lazy}) {
    SCOPED_TRACE(source == &lazy ? "read when asked" : "read at once");
    const CompiledSource& compiled = *source;
    for (const char* chapter : {"SAFETY1.QKS", "Safety2.QKS"}) {
        SCOPED_TRACE(chapter);
        const auto a = project.LoadChapter(chapter), b = compiled.LoadChapter(chapter);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->lines.ToVector(), b->lines.ToVector());
        EXPECT_EQ(a->name, b->name);  // the compiled chapter keeps the name the author knows
    }
    EXPECT_FALSE(compiled.LoadChapter("SAFETY9.QKS"));
    EXPECT_EQ(compiled.ChapterFileName("SAFETY9.QKS"), "SAFETY9.QKC");

    for (const char* source : {"HYPER", "UTILITY", "EXECUTE", "WINTEXT", "hyper"}) {
        TextLines x, y;
        project.ListEntryNames(x, source);
        compiled.ListEntryNames(y, source);
        EXPECT_EQ(x, y) << source;
    }
    struct Want { const char* name; const char* source; bool found; };
    for (const Want& w : {Want{"FIRE", "hyper", true}, Want{"fire", "UTILITY", true}, Want{"Exits", "HYPER", true},
                          Want{"Calc", "EXECUTE", true}, Want{"Calc", "HYPER", false}, Want{"Rules", "WINTEXT", true}}) {
        TextLines x, y;
        EXPECT_EQ(project.LoadEntry(w.name, w.source, x), w.found) << w.name;
        EXPECT_EQ(compiled.LoadEntry(w.name, w.source, y), w.found) << w.name;
        EXPECT_EQ(x, y) << w.name;
    }
    TextLines introA, introB;
    EXPECT_TRUE(project.LoadIntroduction(introA));
    EXPECT_TRUE(compiled.LoadIntroduction(introB));
    EXPECT_EQ(introA, introB);
    std::string colourA, colourB;
    TextLines textA, textB;
    EXPECT_TRUE(project.LoadWindowText("rules", colourA, textA));
    EXPECT_TRUE(compiled.LoadWindowText("rules", colourB, textB));
    EXPECT_EQ(colourB, "clYellow");
    EXPECT_EQ(colourA, colourB);
    EXPECT_EQ(textA, textB);
    }
}

// The player's source reads an entry when it is first asked for, from the file it checked at
// the start: an entry damaged since is reported by name when it is asked for (and the others
// still read), a file put in its place later is not read, and a header longer than the index
// holds is found by its whole name.
TEST(CompiledTutorial, ThePlayersSourceReadsEachEntryWhenAskedFromTheFileItOpened) {
    CompiledFixture f;
    const std::string longName(70, 'L');
    AddCommandEntry(f.project.DataFilePath(), longName, 2, "HYPER", "long.bmp");
    KeyGenerator keys;
    ASSERT_EQ(CompileAllCommand(f.project, keys).size(), 1u);
    const fs::path qkd = f.tmp / "SAFETY.QKD";
    const std::string bytes = TempFolder::read(qkd);
    const CompiledSource source(qkd);

    // The "Exits" entry's header, overwritten in place (the same file, now damaged there).
    const std::size_t exits = bytes.find("[Exits]", TTutorialConfig::Size);
    ASSERT_NE(exits, std::string::npos);
    {
        std::fstream out(qkd, std::ios::in | std::ios::out | std::ios::binary);
        out.seekp(static_cast<std::streamoff>(exits));
        out.write("xxxxxxx", 7);
    }
    TextLines lines;
    EXPECT_TRUE(source.LoadEntry("Calc", "EXECUTE", lines));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "command=calc.exe"), lines.end());
    try {
        source.LoadEntry("Exits", "HYPER", lines);
        ADD_FAILURE() << "a damaged entry was read";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("SAFETY.QKD is damaged: entry 4 of its tutorial data has no header"),
                  std::string::npos)
            << e.what();
    }

    // Another file put in its place: the source keeps reading the one it opened.
    f.tmp.write("OTHER.QKD", std::string(TTutorialConfig::Size, '\0'));
    fs::rename(f.tmp / "OTHER.QKD", qkd);
    EXPECT_TRUE(source.LoadEntry(longName, "HYPER", lines));
    EXPECT_EQ(lines.at(0), longName);
    TextLines names;
    source.ListEntryNames(names, "HYPER");
    EXPECT_EQ(names.back(), longName);
    TextLines intro;
    EXPECT_TRUE(source.LoadIntroduction(intro));
}

TEST(CompiledTutorial, AProjectWithoutDataFileHasNoEntries) {
    TempFolder tmp;
    Project project;
    project.ProjectDir = tmp.path();
    project.ProjectFile = "PLAIN.QKJ";
    project.LoadProject();
    ASSERT_TRUE(CompileDataFile(project));
    const auto data = ReadCompiledDataFile(tmp / "PLAIN.QKD");
    EXPECT_FALSE(data.hasDataImage);
    const CompiledSource source(tmp.path(), data.entries);
    TextLines intro;
    EXPECT_FALSE(source.LoadIntroduction(intro));
}

TEST(CompiledTutorial, DamagedFilesAreReportedByName) {
    CompiledFixture f;
    const std::string qkd = TempFolder::read(f.tmp / "SAFETY.QKD");
    const std::size_t image = TTutorialConfig::Size;
    std::string badMagic = qkd, cutIndex = qkd, badOffset = qkd;
    badMagic[image + 1] = 'X';
    cutIndex.resize(qkd.size() - 10);
    badOffset[qkd.size() - 80 + 61 + 3] = 0x7f;  // the last entry's body offset far past the data
    struct Case { const char* name; std::string bytes; const char* what; };
    for (const Case& c : {Case{"SHORT.QKD", qkd.substr(0, 100), "100 bytes"},
                          Case{"MAGIC.QKD", badMagic, "does not start as compiled data does"},
                          Case{"CUT.QKD", cutIndex, "cut short"},
                          Case{"OFFSET.QKD", badOffset, "entry 6 of its tutorial data lies outside"}}) {
        f.tmp.write(c.name, c.bytes);
        // Read at once, and by the player's source (at the start, or when it looks for an entry).
        const std::function<void()> reads[] = {
            [&] { ReadCompiledDataFile(f.tmp / c.name); },
            [&] {
                TextLines names;
                CompiledSource(f.tmp / c.name).ListEntryNames(names, "HYPER");
            }};
        for (const auto& read : reads) {
            try {
                read();
                ADD_FAILURE() << c.name << " was read";
            } catch (const IoError& e) {
                const std::string text = e.what();
                EXPECT_NE(text.find(std::string(c.name) + " is damaged"), std::string::npos) << text;
                EXPECT_NE(text.find(c.what), std::string::npos) << text;
            }
        }
    }
    // A compiled chapter given where the tutorial's data file belongs, short or long, is named
    // as what it is.
    f.tmp.write("LONG.qkc", std::string(8000, 'x'));
    for (const char* chapter : {"SAFETY1.QKC", "LONG.qkc"}) {
        try {
            ReadCompiledDataFile(f.tmp / chapter);
            ADD_FAILURE() << chapter << " was read";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string(chapter) + " is a compiled chapter, not a compiled tutorial"),
                      std::string::npos)
                << e.what();
        }
    }
    // A chapter line that carries no key: the compiled chapter was changed by hand; an empty
    // chapter file: the compiler never writes one.
    f.tmp.write("SAFETY3.QKC", "\x42\x01\x43\r\nplain text\r\n");
    f.tmp.write("SAFETY4.QKC", "");
    const CompiledSource compiled(f.tmp.path(), {});
    for (const auto& [chapter, what] : {std::pair{"SAFETY3", "SAFETY3.QKC is damaged: line 2 has no key"},
                                        std::pair{"SAFETY4", "SAFETY4.QKC is damaged: it is empty"}}) {
        try {
            compiled.LoadChapter(std::string(chapter) + ".QKS");
            ADD_FAILURE() << chapter << " was read";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
        }
    }
}
