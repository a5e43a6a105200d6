// libFuzzer target for the binary records: the project file (the configuration record and the
// values read from it) and USER.DAT. Short, long and corrupt bytes must read without a crash;
// what is read must write back and read again the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "project/command_setting.h"
#include "project/config_record.h"
#include "project/font_spec.h"
#include "project/project.h"
#include "project/user_record.h"
#include "script/translate.h"
#include "text/errors.h"
#include "text/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The project file.
    const auto projectFile = quill::fuzz::WriteScratch("T.QKJ", bytes);
    try {
        const quill::TTutorialConfig config = quill::ReadConfigRecord(projectFile);
        const quill::ColorTable colors(config);
        for (int code = 1; code <= 26; ++code) colors.CodeOf(colors.Name(code));
        quill::ReadCommandSetting(config, quill::cfg::Opening);
        quill::ReadCommandSetting(config, quill::cfg::Closing);
        quill::FontFromSpec(config.get(quill::cfg::MainMenu::MenuPickFont));
        quill::Project project;
        project.ProjectDir = quill::fuzz::Scratch();
        project.ProjectFile = "T.QKJ";
        project.LoadProject();
        project.SaveProject();
        if (quill::ReadConfigRecord(projectFile).bytes() != config.bytes())
            quill::fuzz::Fail("records", "the record changed on a save");
        project.StartingFileExists();
    } catch (const quill::IoError&) {
    } catch (const quill::FormatError&) {
    }
    // USER.DAT.
    const auto userFile = quill::fuzz::WriteScratch("USER.DAT", bytes);
    try {
        if (auto record = quill::ReadUserRecord(userFile)) {
            for (int n = 1; n <= 52; ++n) record->setSlot(n, record->slot(n));
            quill::WriteUserRecord(userFile, *record);
            const auto again = quill::ReadUserRecord(userFile);
            if (!again || !(*again == *record)) quill::fuzz::Fail("records", "USER.DAT changed on a write");
        }
    } catch (const quill::IoError&) {
    } catch (const quill::FormatError&) {
    }
    return 0;
}
