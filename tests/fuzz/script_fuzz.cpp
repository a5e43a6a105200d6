// libFuzzer target for the chapter language: every line is translated, the translated operands
// are taken apart by the operand routines as the commands do, and the whole input is checked as
// a chapter. Nothing may crash; a translated line must be a command code (or the marker of
// *ReturnToFile) and must translate the same way twice.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "project/config_record.h"
#include "script/chapter_check.h"
#include "script/operands.h"
#include "script/translate.h"
#include "text/text_file.h"

namespace {

class NoReport : public quill::ErrorReport {
public:
    void ShowScriptError(const std::string&) override {}
};

class Lines : public quill::LineSource {
public:
    Lines(const std::vector<std::string>& lines, std::size_t next) : lines_(lines), next_(next) {}
    std::optional<std::string> FetchNextLine() override {
        if (next_ >= lines_.size()) return std::nullopt;
        return lines_[next_++];
    }

private:
    const std::vector<std::string>& lines_;
    std::size_t next_;
};

const quill::TTutorialConfig& Config() {
    static const quill::TTutorialConfig config = [] {
        quill::TTutorialConfig c;
        quill::SetConfigDefaults(c);
        return c;
    }();
    return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = quill::SplitLines(bytes);
    const quill::ColorTable colors(Config());
    NoReport report;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] != '*') continue;
        std::string out, error;
        if (!quill::TranslateCommandLine(line, colors, out, error)) continue;
        // A command becomes ':' + its code; *ReturnToFile becomes its "@F" marker.
        if (out.empty() || (out[0] != ':' && !out.starts_with("@F")))
            quill::fuzz::Fail("script", "a translated line is neither a command nor a marker");
        std::string again, againError;
        quill::TranslateCommandLine(line, colors, again, againError);
        if (again != out) quill::fuzz::Fail("script", "a line translates two ways");

        // The operand routines on what the translation gave, as the commands take them.
        quill::Operands ops(report, Config(), quill::fuzz::Scratch());
        ops.SetLineText(line);
        const std::string_view operands = quill::OperandTextOf(out);
        ops.SetOperandText(operands);
        int a = 0, b = 0, c = 0, d = 0;
        ops.Rectangle(a, b, c, d);
        ops.NextColour(true);
        ops.NextColour(false);
        ops.SetStop(false);
        ops.SetOperandText(operands);
        const std::string field = ops.NextField();
        ops.FileNameValid(field);
        ops.FileOutsideProject(field);
        int length = 0;
        bool exact = false;
        ops.InputLengthAndExact(length, exact);
        ops.SetStop(false);
        std::string left, right;
        ops.SetOperandText(operands);
        ops.TwoLegendsAndLength(left, right, length);
        ops.SetStop(false);
        Lines rest(lines, i + 1);
        ops.MatchListTest(line, exact, rest);
        const int count = static_cast<int>(size % 40);
        Lines more(lines, i + 1);
        if (ops.ReadMatchTable(count, size % 2 == 0, more)) ops.ChooseAction(count, line, exact);
        quill::Operands::VisibleLength(line);
    }
    quill::CheckChapter(lines, colors, [](const std::string& name) { return name.size() % 2 == 0; });
    return 0;
}
