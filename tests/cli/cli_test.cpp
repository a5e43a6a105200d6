#include <gtest/gtest.h>

#include <sstream>

#include "../format/test_folder.h"
#include "cli.h"
#include "run_quillc.h"
#include "project/config_record.h"

using quill::test::TempFolder;

namespace {
using quill::test::RunQuillc;
}  // namespace

TEST(Quillc, HelpListsTheCommandsAndWrongUsageExitsTwo) {
    auto r = RunQuillc({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("new"), std::string::npos);
    // The longest command name keeps a blank before its summary, in the summaries' column.
    EXPECT_NE(r.out.find("\n  export-scorm  write a SCORM 1.2 package"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  new           create a tutorial project"), std::string::npos) << r.out;
    EXPECT_EQ(RunQuillc({}).status, 2);
    EXPECT_EQ(RunQuillc({"frobnicate"}).status, 2);
    EXPECT_EQ(RunQuillc({"new", "only-one"}).status, 2);
    r = RunQuillc({"new", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: quillc new FOLDER NAME"), std::string::npos);
}

TEST(Quillc, NewWritesTheDefaultProjectFileAndPrintsItsPath) {
    TempFolder tmp;
    const auto r = RunQuillc({"new", (tmp / "x/tut").string(), "safety"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const auto file = tmp / "x/tut/safety.QKJ";
    EXPECT_EQ(r.out, file.string() + "\n");
    const std::string bytes = TempFolder::read(file);
    quill::TTutorialConfig defaults;
    quill::SetConfigDefaults(defaults);
    ASSERT_EQ(bytes.size(), 7128u);
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(defaults.bytes().data()), 7128));
}

TEST(Quillc, NewRefusalsPrintTheProgramsMessages) {
    TempFolder tmp;
    auto r = RunQuillc({"new", tmp.path().string(), "bad;name"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: A correct filename must be entered.\n");
    tmp.write("file", "x");
    r = RunQuillc({"new", (tmp / "file/sub").string(), "ok"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ERROR: Unable to create the directory " + (tmp / "file/sub").string() + ": Not a directory\n");
}

TEST(Quillc, MessagesEscapeLineBreaks) {
    EXPECT_EQ(quillc::EscapeLineBreaks("a\r\nb"), "a\\r\\nb");
}
