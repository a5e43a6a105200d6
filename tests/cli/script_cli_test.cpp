#include <gtest/gtest.h>

#include <sstream>

#include "../format/test_folder.h"
#include "cli.h"
#include "run_quillc.h"
#include "project/config_record.h"

using quill::test::TempFolder;

namespace {

using quill::test::RunQuillc;

// A project record whose colour 17 is named `color17Name`, starting with `startChapter`.
std::string ProjectBytes(const char* color17Name, const char* startChapter = "") {
    quill::TTutorialConfig config;
    quill::SetConfigDefaults(config);
    config.set(quill::cfg::Colors::Entry(17).Name, color17Name);
    config.set(quill::cfg::StartChapter, startChapter);
    return std::string(reinterpret_cast<const char*>(config.bytes().data()), config.bytes().size());
}

TEST(QuillcTranslate, TranslatesCommandLinesAndPassesTheRestThrough) {
    const auto r = RunQuillc({"translate"},
                             "*ClearScreen Blue\r\n"
                             "Hello ~@B\r\n"
                             "*CLAERSCREEN\n"
                             "*PlainBox 1 1 10 5 Mauve\n"
                             ":FE,13\n"
                             "@JStart\n"
                             "\n"
                             "*Title Caf\xC3\xA9 \xE2\x82\xAC   \r"
                             "*Title Caf\xE9 \x80\n"
                             "Caf\xE9\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              ":FE,13\n"
              "Hello ~@B\n"
              "ERROR: *CLAERSCREEN is not a valid command\n"
              "ERROR: *PlainBox 1 1 10 5 Mauve has an invalid Color KeyWord\n"
              ":FE,13\n"
              "@JStart\n"
              "\n"
              ":FT,Caf\xC3\xA9 \xE2\x82\xAC\n"
              ":FT,Caf\xC3\xA9 \xE2\x82\xAC\n"
              "Caf\xC3\xA9\n");
    EXPECT_EQ(RunQuillc({"translate"}, "*Wait\n*ReturnToFile INTRO").status, 0);
    EXPECT_EQ(RunQuillc({"translate"}, "*Wait\n*ReturnToFile INTRO").out, ":FW\n@FINTRO\n");
}

TEST(QuillcTranslate, UsesTheProjectsColourTable) {
    TempFolder tmp;
    const auto qkj = tmp.write("tut.QKJ", ProjectBytes("Sky"));
    auto r = RunQuillc({"translate", "--project", qkj.string()}, "*ClearScreen sky\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, ":FE,17\n");
    r = RunQuillc({"translate"}, "*ClearScreen sky\n");
    EXPECT_EQ(r.out, "ERROR: *ClearScreen sky has an invalid Color KeyWord\n");

    r = RunQuillc({"translate", "--project", (tmp / "none.QKJ").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("ERROR: "), std::string::npos);
    EXPECT_NE(r.out.find("none.QKJ"), std::string::npos);
    tmp.write("short.QKJ", "tiny");
    EXPECT_EQ(RunQuillc({"translate", "--project", (tmp / "short.QKJ").string()}).status, 2);
    EXPECT_EQ(RunQuillc({"translate", "--bogus"}).status, 2);
    EXPECT_EQ(RunQuillc({"translate", "--project"}).status, 2);
    r = RunQuillc({"translate", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: quillc translate [--project FILE.QKJ]"), std::string::npos);
}

TEST(QuillcCheck, ReportsEachProblemWithChapterAndLine) {
    TempFolder tmp;
    const auto qkj = tmp.write("Safety.QKJ", ProjectBytes("Sky", "SAFETY1"));
    tmp.write("SAFETY1.QKS",
              "*ClearScreen Sky\r\n"
              "*JumpToLabel Start\r\n"
              "*CLAERSCREEN\r\n"
              "@JStart\r\n"
              "*JumpToFile safety2\r\n"
              "*JumpToFile SAFETY3\r\n");
    tmp.write("safety2.qks",
              "*BranchOnFileExists x.txt\r\n&1\r\n&2\r\n"
              "*Title Caf\xE9\r\n*ClearScreen Caf\xE9\r\n");
    tmp.write("other.QKS", "*Bogus\r\n");  // not a chapter of this project
    auto r = RunQuillc({"check", qkj.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "SAFETY1.QKS:3: *CLAERSCREEN is not a valid command\n"
              "SAFETY1.QKS:6: SAFETY3.QKS was not found\n"
              "safety2.qks:1: The &3 Marker is missing.\n"
              "safety2.qks:5: *ClearScreen Caf\xC3\xA9 has an invalid Color KeyWord\n");

    // Warnings are shown on request and do not fail the check; line breaks in messages are
    // printed as \r\n.
    tmp.write("SAFETY4.QKS", "*Execute Calc\r\n*PrintFile later.txt\r\n");
    r = RunQuillc({"check", qkj.string(), "SAFETY4"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    r = RunQuillc({"check", "--warnings", qkj.string(), "SAFETY4"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "SAFETY4.QKS:1: warning: The \"Calc\" Executable has not been defined \n"
              "SAFETY4.QKS:2: warning: The filename later.txt in *PrintFile later.txt was not found.\n");
    tmp.write("SAFETY5.QKS", "@QQ1\r\n*JumpToLabel X\r\n@JX\r\n");
    r = RunQuillc({"check", qkj.string(), "SAFETY5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "SAFETY5.QKS:2: Jump Commands are not allowed within branches.\\r\\n*JumpToLabel X is invalid.\n"
              "SAFETY5.QKS:3: Jump Commands are not allowed within branches.\\r\\n@JX is invalid.\n");

    r = RunQuillc({"check", qkj.string(), "safety1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("safety2"), std::string::npos);
    r = RunQuillc({"check", qkj.string(), "SAFETY9"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "ERROR: SAFETY9.QKS was not found\n");
}

TEST(QuillcCheck, CleanProjectsAndUsage) {
    TempFolder tmp;
    const auto qkj = tmp.write("tut.QKJ", ProjectBytes("ColorQ", "TUT1"));
    tmp.write("TUT1.QKS", "*ClearScreen Blue\r\nHello\r\n*Wait\r\n");
    auto r = RunQuillc({"check", qkj.string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(RunQuillc({"check"}).status, 2);
    EXPECT_EQ(RunQuillc({"check", (tmp / "missing.QKJ").string()}).status, 2);
    TempFolder empty;
    const auto lone = empty.write("lone.QKJ", ProjectBytes("ColorQ"));
    r = RunQuillc({"check", lone.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "INFO: There are no chapter files lone*.QKS to check.\n"
                     "ERROR: The tutorial has no starting chapter. Choose it with Define Tutorial Type.\n");
    r = RunQuillc({"--help"});
    EXPECT_NE(r.out.find("translate"), std::string::npos);
    EXPECT_NE(r.out.find("check"), std::string::npos);
}

}  // namespace
