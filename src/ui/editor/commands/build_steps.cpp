#include "editor/commands/build_steps.h"

#include "project/config_record.h"
#include "text_codec.h"

namespace quill {

bool BuildSteps::Text(const QString& question, QString& out, bool required, TextRule rule) {
    const auto answer = p_.Text({question, topic_, std::move(rule)});
    if (!answer || (required && answer->isEmpty())) return false;
    out = *answer;
    return true;
}

bool BuildSteps::File(const QString& question, QString& out, bool oneWord, bool required) {
    return Text(question, out, required,
                [oneWord](const QString& name) { return FileNameProblem(name, oneWord); });
}

bool BuildSteps::Number(const QString& question, int minimum, int maximum, int initial, int& out,
                        NumberRule rule) {
    const auto answer = p_.Number({question, minimum, maximum, initial, topic_, std::move(rule)});
    if (!answer) return false;
    out = *answer;
    return true;
}

bool BuildSteps::Start(const QString& question, int columnMax, int rowMax, ColRow& out) {
    return ColumnRow({question, 1, columnMax, 1, rowMax, 1, 1, topic_}, out);
}

bool BuildSteps::End(const QString& question, const ColRow& start, ColRow& out, bool plusOne) {
    const int step = plusOne ? 1 : 0;
    const int c = start.column + step, r = start.row + step;
    return ColumnRow({question, c, 79, r, 25, c, r, topic_}, out);
}

bool BuildSteps::ColumnRow(const ColRowPrompt& prompt, ColRow& out) {
    const auto answer = p_.ColumnRow(prompt);
    if (!answer) return false;
    out = *answer;
    return true;
}

bool BuildSteps::Color(const QString& title, QString& word, ColorUse use) {
    const int answer = p_.Color(title, topic_);
    if (answer == kDefaultColor) {
        const bool omit =
            use == ColorUse::DefaultOmitted || use == ColorUse::DefaultOrCancelOmitted;
        word = omit ? QString() : QStringLiteral("Default");
        return true;
    }
    if (answer < 0 || answer > 25) {  // cancelled
        if (use == ColorUse::CancelIsDefault) {
            word = "Default";
            return true;
        }
        if (use == ColorUse::DefaultOrCancelOmitted) {
            word.clear();
            return true;
        }
        return false;
    }
    const QString problem = ColorWordProblem(data_.config, answer);
    if (!problem.isEmpty()) {
        p_.ShowError(problem);
        return false;
    }
    word = FromCp1252(data_.config.get(cfg::Colors::Entry(answer + 1).Name));
    return true;
}

bool BuildSteps::Heading(QString& name) {
    const auto answer = p_.Heading(topic_);
    if (!answer || *answer < 1 || *answer > 10) return false;
    const QString problem = HeadingNameProblem(data_.config, *answer);
    if (!problem.isEmpty()) {
        p_.ShowError(problem);
        return false;
    }
    name = FromCp1252(data_.config.get(cfg::Headings::Entry(*answer).Name));
    return true;
}

bool BuildSteps::PopUpText(QStringList& lines) {
    const auto answer = p_.PopUpText(topic_);
    if (!answer || answer->isEmpty()) return false;
    lines = *answer;
    return true;
}

bool BuildSteps::Image(QString& name, bool oneWord) {
    const auto answer = p_.ChooseFile(ChooserKind::Image, QString(), topic_);
    if (!answer || answer->isEmpty()) return false;
    const QString problem = FileNameProblem(*answer, oneWord);
    if (!problem.isEmpty()) {
        p_.ShowError(problem);
        return false;
    }
    name = *answer;
    return true;
}

bool BuildSteps::Entry(std::string_view source, const QString& noneMessage, const QString& question,
                       QString& name) {
    QStringList names;
    for (const std::string& entry : data_.entryNames(source)) names << FromCp1252(entry);
    if (names.isEmpty()) {
        p_.ShowError(noneMessage);
        return false;
    }
    const auto picked = p_.PickEntry(question, names, topic_);
    if (!picked || *picked < 0 || *picked >= names.size() || names[*picked].isEmpty()) return false;
    name = names[*picked];
    return true;
}

CommandOption Option(const char* name, const char* caption, HelpTopic helpTopic,
                     std::function<QStringList(BuildSteps&)> build) {
    const int topic = TopicNumber(helpTopic);
    return {name, caption, topic, [topic, build](Prompter& p, const CommandData& d) {
                BuildSteps ask(p, d, topic);
                return build(ask);
            }};
}

CommandOption Fixed(const char* name, const char* caption, HelpTopic topic, const char* line) {
    const QString text = line;
    return {name, caption, TopicNumber(topic),
            [text](Prompter&, const CommandData&) { return QStringList{text}; }};
}

}  // namespace quill
