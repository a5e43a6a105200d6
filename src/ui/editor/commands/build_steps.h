#pragma once
// BuildSteps: the questions of one command builder, asked in order through a Prompter, with the
// rules every builder shares: a cancelled question or an empty required text ends the builder,
// colours are written as the palette entry's name or "Default", start and end prompts follow
// the coordinate rules, file names and the names of colours and headings are checked before
// the player could refuse or misread them. Each step returns false when the builder must end;
// the builder then writes no lines. Option and Fixed make the options of the command tables.
#include <QString>
#include <QStringList>
#include <functional>
#include <string_view>

#include "editor/commands/command_builders.h"
#include "editor/commands/prompter.h"

namespace quill {

// How a colour question treats the picker's default and cancel answers.
enum class ColorUse {
    Required,                // default writes "Default", cancel ends the builder
    CancelIsDefault,         // cancel writes "Default" as well
    DefaultOmitted,          // default writes no word; cancel ends the builder
    DefaultOrCancelOmitted,  // default and cancel write no word
};

class BuildSteps {
  public:
    // Every question carries `topic`, the help topic of the option being built.
    BuildSteps(Prompter& prompter, const CommandData& data, int topic)
        : p_(prompter), data_(data), topic_(topic) {}

    // A text; an empty one ends the builder unless it is not `required`.
    bool Text(const QString& question, QString& out, bool required = true, TextRule rule = {});
    // A file name of the tutorial's folder; `oneWord` where the command reads it as one word.
    bool File(const QString& question, QString& out, bool oneWord, bool required = true);
    bool Number(const QString& question, int minimum, int maximum, int initial, int& out,
                NumberRule rule = {});
    // A start prompt: columns 1..columnMax, rows 1..rowMax, starting at column 1, row 1.
    bool Start(const QString& question, int columnMax, int rowMax, ColRow& out);
    // An end prompt after `start`: from the start plus one (or from the start itself) up to
    // column 79 and row 25.
    bool End(const QString& question, const ColRow& start, ColRow& out, bool plusOne = true);
    bool ColumnRow(const ColRowPrompt& prompt, ColRow& out);
    // A colour word: the name of the chosen palette entry, "Default", or nothing (by `use`).
    bool Color(const QString& title, QString& word, ColorUse use = ColorUse::Required);
    // The name of a heading format.
    bool Heading(QString& name);
    // The pop-up text; an empty text ends the builder.
    bool PopUpText(QStringList& lines);
    // A picture of the tutorial's folder from the image chooser.
    bool Image(QString& name, bool oneWord);
    // The name of a data file entry of `source` ("WINTEXT", "EXECUTE") picked from their list;
    // with no entries at all, `noneMessage` is shown and the builder ends.
    bool Entry(std::string_view source, const QString& noneMessage, const QString& question,
               QString& name);

    Prompter& prompter() { return p_; }
    const CommandData& data() const { return data_; }
    int topic() const { return topic_; }

  private:
    Prompter& p_;
    const CommandData& data_;
    int topic_;
};

// An option whose builder only asks through BuildSteps.
CommandOption Option(const char* name, const char* caption, HelpTopic topic,
                     std::function<QStringList(BuildSteps&)> build);
// An option that asks nothing and writes one fixed line.
CommandOption Fixed(const char* name, const char* caption, HelpTopic topic, const char* line);

// A number as the command lines write it.
inline QString Num(int n) {
    return QString::number(n);
}

}  // namespace quill
