#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "../test_folder.h"
#include "build/compiler.h"
#include "datafile/data_file.h"
#include "project/file_names.h"
#include "text/errors.h"
#include "text/text_file.h"

using namespace quill;
using quill::test::TempFolder;
namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// A project SAFETY with its record in the folder.
struct ProjectFixture {
    TempFolder tmp;
    Project project;
    ProjectFixture() {
        project.HomeDir = tmp.path();
        project.ProjectDir = tmp.path();
        project.ProjectFile = "SAFETY.QKJ";
        project.LoadProject();
    }
};

}  // namespace

TEST(KeyGenerator, FirstKeysOfARun) {
    KeyGenerator keys;
    std::vector<int> got;
    for (int i = 0; i < 10; ++i) got.push_back(keys.NextKey());
    EXPECT_EQ(got, (std::vector<int>{1, 1, 5, 2, 2, 4, 2, 1, 2, 3}));
    for (int i = 0; i < 10000; ++i) {
        const int k = keys.NextKey();
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 5);
    }
}

// Skipping n keys leaves the generator where n draws leave it, from any state.
TEST(KeyGenerator, SkipIsManyDraws) {
    for (const std::uint32_t start : {0u, 1u, 0x9e3779b9u}) {
        for (const std::uint64_t n : {0ull, 1ull, 2ull, 3ull, 10ull, 1000ull, 65537ull}) {
            KeyGenerator drawn(start), skipped(start);
            for (std::uint64_t i = 0; i < n; ++i) drawn.NextKey();
            skipped.Skip(n);
            EXPECT_EQ(skipped.seed(), drawn.seed()) << start << " " << n;
        }
    }
}

TEST(ScrambleLine, ShiftsEveryByteAndPutsTheKeyBeforeTheLast) {
    struct Case { std::string in; int key; std::string out; };
    const std::string long300(300, 'a');
    std::string long301(299, 'a' + 2);
    long301 += '\x02';
    long301 += 'a' + 2;
    const Case cases[] = {
        {"AB", 1, Bytes({0x42, 0x01, 0x43})},
        {Bytes({0xFE}), 3, Bytes({0x03, 0x01})},       // one character: key, then the shifted byte
        {Bytes({0xFF, 0xFE}), 5, Bytes({0x04, 0x05, 0x03})},  // modulo 256
        {Bytes({0x0C, 0x09, 0x0B}), 1, Bytes({0x0D, 0x0A, 0x01, 0x0C})},  // CR, LF unescaped
        {long300, 2, long301},
        {"", 4, ""},
    };
    for (const auto& c : cases) {
        std::string line = c.in;
        ScrambleLine(line, c.key);
        EXPECT_EQ(line, c.out) << c.in.size();
        EXPECT_EQ(UnscrambleLine(line), c.in);
    }
    // An empty line draws no key.
    KeyGenerator keys;
    std::string empty;
    ScrambleLine(empty, keys);
    EXPECT_EQ(keys.seed(), 0u);
}

TEST(CompileChapter, LinesKeysAndFile) {
    ProjectFixture f;
    const auto source = f.tmp.write("SAFETY1.QKS", "AB\r\n\r\nCD\nEF\rG");
    KeyGenerator keys;  // a fresh run: keys 1, 1, 5, 2
    ASSERT_TRUE(CompileChapter(source, keys));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY1.QKC"),
              Bytes({0x42, 0x01, 0x43, 13, 10, 13, 10, 0x44, 0x01, 0x45, 13, 10, 0x4A, 0x05,
                     0x4B, 13, 10, 0x02, 0x49, 13, 10}));
    // The generator goes on across chapters: the next key is 2.
    const auto second = f.tmp.write("SAFETY2.QKS", "AB");
    ASSERT_TRUE(CompileChapter(second, keys));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY2.QKC"), Bytes({0x43, 0x02, 0x44, 13, 10}));
}

TEST(CompileChapter, EmptySourceFailsAndLeavesTheOldOutput) {
    ProjectFixture f;
    const auto source = f.tmp.write("safety3.qks", "");
    f.tmp.write("SAFETY3.qkc", "old");
    KeyGenerator keys;
    EXPECT_FALSE(CompileChapter(source, keys));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY3.qkc"), "old");
    // An output of that name in another letter case is replaced, not doubled.
    f.tmp.write("safety3.qks", "x");
    ASSERT_TRUE(CompileChapter(source, keys));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY3.qkc"), Bytes({0x01, 'x' + 1, 13, 10}));
    EXPECT_FALSE(fs::exists(f.tmp / "safety3.QKC"));
}

// A write that fails (the file size limit here) is reported naming the compiled file, and leaves
// it as it was, with no temporary file beside it. Chapters compiled before it are kept; those
// after it are left as they were, though the run may have begun them beside the failing one.
TEST(CompileChapter, AFailedWriteLeavesTheOldCompiledFile) {
    ProjectFixture f;
    std::string big;
    while (big.size() < 4 * kCompileBlockBytes) big += "A line of a long chapter, written many times.\r\n";
    f.tmp.write("SAFETY1.QKS", "one line");
    f.tmp.write("SAFETY2.QKS", big);
    f.tmp.write("SAFETY3.QKS", "one line");
    for (const char* name : {"SAFETY1.QKC", "SAFETY2.QKC", "SAFETY3.QKC"}) f.tmp.write(name, "old");
    CompileDataFile(f.project);
    // Files may grow to two and a half blocks; past that a write fails (EFBIG, no signal).
    struct SizeLimit {
        rlimit old{};
        void (*oldHandler)(int);
        explicit SizeLimit(rlim_t bytes) : oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
            ::getrlimit(RLIMIT_FSIZE, &old);
            rlimit limit = old;
            limit.rlim_cur = bytes;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~SizeLimit() {
            ::setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        }
    };
    auto failsNaming = [](const auto& compile, const std::string& name) {
        try {
            compile();
        } catch (const IoError& e) {
            return std::string(e.what()).find(name) != std::string::npos;
        }
        return false;
    };
    KeyGenerator keys;
    {
        const SizeLimit limit(5 * kCompileBlockBytes / 2);
        EXPECT_TRUE(failsNaming([&] { CompileChapter(f.tmp / "SAFETY2.QKS", keys); }, "SAFETY2.QKC"));
        EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY2.QKC"), "old");
        KeyGenerator run;  // a fresh run: SAFETY1's one line gets key 1
        EXPECT_TRUE(failsNaming([&] { CompileAllCommand(f.project, run); }, "SAFETY2.QKC"));
    }
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY1.QKC"), Bytes({'o' + 1, 'n' + 1, 'e' + 1, ' ' + 1, 'l' + 1, 'i' + 1, 'n' + 1, 1, 'e' + 1, 13, 10}));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY2.QKC"), "old");
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY3.QKC"), "old");
    EXPECT_EQ(FilesIn(f.tmp.path()).size(), 8u);  // the project, the data file, 3 sources, 3 compiled
}

TEST(CompileDataFile, RecordThenImageAndNoScratchFile) {
    ProjectFixture f;
    const std::string record(reinterpret_cast<const char*>(f.project.Config.bytes().data()), 7128);
    // Without a data file the .QKD is the record alone.
    ASSERT_TRUE(CompileDataFile(f.project));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY.QKD"), record);

    const auto data = f.tmp / "safety.qkr";  // found ignoring case
    AddCommandEntry(data, "A", 3, "HYPER", "a.wav");
    ASSERT_TRUE(CompileDataFile(f.project));
    const std::string first = TempFolder::read(f.tmp / "SAFETY.QKD");
    EXPECT_EQ(first, record + BuildCompiledImage(TempFolder::read(data)));
    ASSERT_TRUE(CompileDataFile(f.project));
    EXPECT_EQ(TempFolder::read(f.tmp / "SAFETY.QKD"), first);
    EXPECT_EQ(FilesIn(f.tmp.path()), (std::set<std::string>{"SAFETY.QKJ", "SAFETY.QKD", "safety.qkr"}));
}

TEST(CompileActions, Messages) {
    ProjectFixture f;
    KeyGenerator keys;
    using K = BuildMessage::Kind;
    const std::string quilplay = "\r\n\r\nUse Quilplay to display the compiled Tutorial.";

    // No chapters: the data file is compiled and the run succeeds.
    EXPECT_EQ(CompileAllCommand(f.project, keys),
              (BuildMessages{{K::Info, "The Tutorial has been compiled successfully." + quilplay}}));
    EXPECT_EQ(CompileDataCommand(f.project),
              (BuildMessages{{K::Info, "The Tutorial Data File SAFETY.QKD has been compiled "
                                       "successfully." + quilplay}}));

    f.tmp.write("safety1.qks", "*ClearScreen Blue");
    EXPECT_EQ(CompileOneChapterCommand(f.project, keys, "safety1.qks"),
              (BuildMessages{{K::Info, "The Tutorial Chapter File safety1.QKC has been compiled "
                                       "successfully." + quilplay}}));  // named as written
    EXPECT_TRUE(fs::exists(f.tmp / "safety1.QKC"));
    EXPECT_TRUE(CompileOneChapterCommand(f.project, keys, "").empty());

    // Two failing chapters: the one compiled last is named; the good ones are still compiled.
    f.tmp.write("SAFETY2.QKS", "");
    f.tmp.write("Safety3.QKS", "x");
    f.tmp.write("SAFETY4.QKS", "");
    EXPECT_EQ(CompileOneChapterCommand(f.project, keys, "SAFETY2.QKS"),
              (BuildMessages{{K::Error, "Unable to compile the Tutorial Chapter File."}}));
    std::vector<std::string> progress;
    EXPECT_EQ(CompileAllCommand(f.project, keys,
                                [&](std::size_t i, std::size_t n, const std::string& name) {
                                    progress.push_back(std::to_string(i) + "/" +
                                                       std::to_string(n) + " " + name);
                                }),
              (BuildMessages{{K::Error, "Unable to compile the Tutorial Chapter File SAFETY4.QKS."}}));
    EXPECT_EQ(progress, (std::vector<std::string>{"0/4 safety1.qks", "1/4 SAFETY2.QKS",
                                                  "2/4 Safety3.QKS", "3/4 SAFETY4.QKS"}));
    EXPECT_TRUE(fs::exists(f.tmp / "Safety3.QKC"));
    EXPECT_FALSE(fs::exists(f.tmp / "SAFETY4.QKC"));
}

// The compiled file is, line for line, what ScrambleLine makes of the lines SplitLines reads,
// for any mix of line lengths, line ends and bytes.
TEST(CompileChapter, MatchesLineByLineScrambling) {
    TempFolder tmp;
    std::mt19937 rng(11);
    KeyGenerator keys, reference;
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int pieces = static_cast<int>(rng() % 60) + 1;
        for (int p = 0; p < pieces; ++p) {
            const std::size_t run = rng() % 4 == 0 ? rng() % 300 : rng() % 17;
            for (std::size_t i = 0; i < run; ++i) text += static_cast<char>(rng() % 256 | 0x10);
            if (rng() % 5) text += std::string_view("\r\n\n\r\r\n")[rng() % 4];
        }
        const auto source = tmp.write("SAFETY1.QKS", text);
        ASSERT_TRUE(CompileChapter(source, keys));
        std::string expected;
        for (auto line : SplitLines(text)) {
            ScrambleLine(line, reference);
            expected += line + "\r\n";
        }
        ASSERT_EQ(TempFolder::read(tmp / "SAFETY1.QKC"), expected) << round;
    }
}

// A chapter is read in blocks: lines that cross a block's end, a CR LF split between two
// blocks, a lone CR as a block's last byte and a line longer than a block come out as they
// would from the whole file at once.
TEST(CompileChapter, LinesAcrossReadBlocks) {
    TempFolder tmp;
    std::mt19937 rng(5);
    const std::size_t block = kCompileBlockBytes;
    std::string text;
    auto fillTo = [&](std::size_t end) {
        while (text.size() < end) {
            const std::size_t run = rng() % 90;
            for (std::size_t i = 0; i < run && text.size() < end; ++i) text += static_cast<char>('a' + rng() % 26);
            if (text.size() < end) text += std::string_view("\r\n\n\r")[rng() % 3] == '\r' ? "\r\n" : "\n";
        }
        text.resize(end);
    };
    fillTo(block - 1);
    text += "\r\n";                          // CR last in the first block, LF first in the next
    fillTo(2 * block - 1);
    text += "\rx";                           // a lone CR last in the second block
    text += std::string(block + block / 2, 'L');  // a line longer than a block
    text += "\r\n";
    fillTo(4 * block + 100);                 // ends without a line end
    const auto source = tmp.write("SAFETY1.QKS", text);
    KeyGenerator keys, reference;
    ASSERT_TRUE(CompileChapter(source, keys));
    std::string expected;
    for (auto line : SplitLines(text)) {
        ScrambleLine(line, reference);
        expected += line + "\r\n";
    }
    EXPECT_TRUE(TempFolder::read(tmp / "SAFETY1.QKC") == expected);
    EXPECT_EQ(keys.seed(), reference.seed());
}

// A whole run compiles its chapters two at a time; the files and the keys are those of compiling
// the chapters one after the other with one generator, whatever their line ends (a chapter's
// keys depend on how many non-empty lines every chapter before it has).
TEST(CompileAll, ChaptersTogetherMatchOneAfterTheOther) {
    ProjectFixture f;
    std::mt19937 rng(3);
    std::map<std::string, std::string> texts;
    for (int c = 1; c <= 9; ++c) {
        std::string text;
        const std::size_t length = c == 4 ? 3 * kCompileBlockBytes + 7 : rng() % 5000;
        while (text.size() < length) {
            const std::size_t run = rng() % 3 == 0 ? 0 : rng() % 40;
            for (std::size_t i = 0; i < run; ++i) text += static_cast<char>(rng() % 256 | 0x10);
            text += std::string_view("\r\n\n\r\r\n")[rng() % 4];
        }
        if (c == 6) text.clear();                   // no lines: fails, draws no key
        if (c == 7) text = "\r\n\r\r\n\n";           // only empty lines
        if (c == 8) text += "no line end at the end";
        texts["SAFETY" + std::to_string(c) + ".QKS"] = text;
        f.tmp.write("SAFETY" + std::to_string(c) + ".QKS", text);
    }
    KeyGenerator keys(12345), reference(12345);
    std::vector<std::string> order;
    const auto messages = CompileAllCommand(f.project, keys, [&](std::size_t i, std::size_t, const std::string& name) {
        EXPECT_EQ(i, order.size());
        order.push_back(name);
    });
    EXPECT_EQ(messages.front().text, "Unable to compile the Tutorial Chapter File SAFETY6.QKS.");
    ASSERT_EQ(order.size(), texts.size());
    for (const auto& name : order) {
        std::string expected;
        for (auto line : SplitLines(texts.at(name))) {
            ScrambleLine(line, reference);
            expected += line + "\r\n";
        }
        const auto compiled = f.tmp / (name.substr(0, name.size() - 4) + ".QKC");
        if (name == "SAFETY6.QKS") {
            EXPECT_FALSE(fs::exists(compiled));
            continue;
        }
        EXPECT_TRUE(TempFolder::read(compiled) == expected) << name;
    }
    EXPECT_EQ(keys.seed(), reference.seed());
}
