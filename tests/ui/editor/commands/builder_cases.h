#pragma once
// What the command builder tables share: a record with the defaults, running one option of a
// category on scripted answers, and the row of a table of cases.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/commands/command_builders.h"
#include "editor/commands/scripted_prompter.h"
#include "text_codec.h"
#include "script/chapter_check.h"
#include "project/config_record.h"

namespace quill::test::builders {

inline TTutorialConfig DefaultConfig() {
    TTutorialConfig config;
    SetConfigDefaults(config);
    return config;
}

struct Run {
    QStringList lines;
    ScriptedPrompter prompter;
};

// The data file entries a builder may list, by source ("EXECUTE", "WINTEXT").
using Entries = std::map<std::string, std::vector<std::string>>;

// Runs the option `caption` of category `item` on the answers.
inline std::unique_ptr<Run> RunOption(const QString& item, const QString& caption,
                                      std::vector<ScriptedAnswer> answers, const TTutorialConfig& config,
                                      Entries entries) {
    auto run = std::make_unique<Run>(Run{{}, ScriptedPrompter(std::move(answers))});
    const CommandCategory* category = FindCategory(item);
    if (!category) {
        ADD_FAILURE() << "no category " << item.toStdString();
        return run;
    }
    const CommandOption* option = FindOption(*category, caption);
    if (!option) {
        ADD_FAILURE() << "no option " << caption.toStdString();
        return run;
    }
    CommandData data{config, [entries = std::move(entries)](std::string_view source) {
                         const auto found = entries.find(std::string(source));
                         return found == entries.end() ? std::vector<std::string>{} : found->second;
                     }};
    run->lines = option->build(run->prompter, data);
    return run;
}

struct Case {
    const char* item;
    const char* option;
    std::vector<ScriptedAnswer> answers;
    QStringList lines;
    QStringList asked;  // not checked when empty
};

// The lines a builder writes pass the checker as they would in a chapter: they translate, and
// nothing in them stops the player. The builder writes a piece of a chapter, so a jump to a
// label the rest of the chapter holds is not held against it (nor are warnings).
inline void ExpectChecks(const QStringList& lines, const TTutorialConfig& config) {
    std::vector<std::string> chapter;
    for (const QString& line : lines) chapter.push_back(ToCp1252(line));
    const ColorTable colors(config);
    for (const ScriptProblem& p : CheckChapter(chapter, colors, [](const std::string&) { return true; })) {
        if (p.warning) continue;
        if (p.message.rfind("The Marker @J", 0) == 0 && p.message.find(" is missing.") != std::string::npos) continue;
        ADD_FAILURE() << "line " << p.line << " \"" << chapter[p.line - 1] << "\": " << p.message;
    }
}

}  // namespace quill::test::builders
