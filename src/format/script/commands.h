#pragma once
// The commands of the chapter language as values. Each row of the command table
// (command_table.h) has a `parse` that reads a translated line's operands, and every line after
// it that the command takes as data (pop-up text, quiz answers, match lists, match tables,
// menus), into one of the value types below. The player performs the value; the chapter checker
// checks it against the project. Both read with the same parse, so what the checker reports and
// what stops the player are the same code.
//
// A parse reads all of its fields, whatever it finds: the operand routines report the first
// error only (the player and the checker keep the first message; later ones are dropped while
// the stop flag is set), so the caller looks at `Stopped()` once, after the parse, and acts on
// the value only when it is clear.
//
// Adding a command:
//   1. a row in kTable of command_table.cpp: keyword, code, layout and its parse function;
//   2. a value type here (a struct of what the command reads; views into the line and the
//      chapter, valid while the command runs) and its place in the CommandValue variant;
//   3. its parse in command_table.cpp: read every operand and following line, in the order the
//      command's reference gives, and report bad ones through the operand routines;
//   4. its action in the player (an `Act` overload in chapter_player.cpp): the player does not
//      build until there is one;
//   5. when it names something of the project (a label, a chapter, a picture, an entry, a data
//      file text), a `Check` overload in chapter_check.cpp, with the message from
//      script_messages.h that the player shows.
// The generated agreement test (tests/player/engine/command_agreement_test.cpp) then runs the
// new row through both with a bad operand, a missing following line and a name outside the
// folder.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "script/command_operands.h"
#include "script/operands.h"

namespace quill {

// What a parse reads from: the operand routines (the operand text and line text set for the
// command) and the lines after the command. The views a parse keeps must stay valid while the
// command runs: the player's and the checker's line sources give views into the chapter.
class CommandReader {
public:
    CommandReader(Operands& op, LineSource& lines) : op(op), lines(lines) {}
    virtual ~CommandReader() = default;
    CommandReader(const CommandReader&) = delete;
    CommandReader& operator=(const CommandReader&) = delete;

    // The folder rule of the file commands: true (and reported) when `name` leaves the folder.
    virtual bool Outside(std::string_view name) { return op.FileOutsideProject(name); }
    std::optional<std::string_view> NextLine() { return lines.FetchNextLineView(); }

    Operands& op;
    LineSource& lines;
    char letter = '\0';  // the letter of the command code (":BP" gives 'P')
};

namespace cmd {

using Text = std::string_view;
using Line = std::optional<std::string_view>;  // a following line; nothing at the end of the chapter

// A match table row, or the final action (its match empty).
struct MatchRow {
    Text match, action;
};

// The lines a command reads after its own: most often a few (pop-up text, quiz answers, a short
// match table or menu), kept in the value itself; more go to the heap, all of them together,
// so that the items are always one array. A value is made for every command run or checked.
template <class T, std::size_t N>
class SmallList {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* begin() const { return size_ <= N ? items_.data() : more_.data(); }
    const T* end() const { return begin() + size_; }
    const T& operator[](std::size_t i) const { return begin()[i]; }
    operator std::span<const T>() const { return {begin(), size_}; }
    void push_back(const T& item) {
        if (size_ < N) {
            items_[size_] = item;
        } else {
            if (size_ == N) more_.assign(items_.begin(), items_.end());
            more_.push_back(item);
        }
        ++size_;
    }
    // Grows to `n` items with empty ones added (never shrinks).
    void grow(std::size_t n) {
        while (size_ < n) push_back(T{});
    }

private:
    std::array<T, N> items_{};
    std::vector<T> more_;  // every item, once there are more than N
    std::size_t size_ = 0;
};
using LineList = SmallList<Text, 4>;
using RowList = SmallList<MatchRow, 4>;

// Frame
struct ClearScreen { int code = 0; };
struct Wait {};
struct Exit {};
struct Title { Line text; };
struct Controls { Text letters; };
struct Execute { Text name; };
// Screen
struct Position { PositionOperands at; };
struct Heading { Text name; int column = 0, row = 0, end = 0; Text text; };
struct WindowText { int c1 = 0, r1 = 0, c2 = 0, r2 = 0; Text name; };
struct DrawLine { bool vertical = false; LineOperands line; };
struct Blink { int column = 0, row = 0, count = 0; std::uint32_t text = 0, back = 0; Text words; };
struct Delay { int tenths = 0; };
struct Pause {};
struct CenterText { int column = 0, row = 0, end = 0; std::uint32_t text = 0, back = 0; Text words; };
// Boxes and sections
struct Box { char letter = 'N'; BoxOperands box; LineList lines; };
struct Section { char letter = 'R'; SectionOperands at; };
// Images
struct ShowImage { int column = 0, row = 0, end = 0; Text name; };
struct ScreenImage { Text name; };
struct ImageHypertext { int column = 0, row = 0; std::uint32_t text = 0, back = 0; Text words; };
struct ImageLabel { int column = 0, row = 0, end = 0; std::uint32_t text = 0, back = 0; Text words; };
// Files
struct DeleteFile { Text name; };
struct CopyFile { Text source, target; };
struct PrintFile { Text name, heading; };
struct AddToFile { Text name, text; };
struct DisplayFile { Text name; };
struct InputToFile { int width = 0; Text name; };
struct Memo { bool display = false; int width = 0, depth = 0; Text name; };
// Quizzes and answers
struct GetUserInput { int slot = 0, width = 0; };
struct QuickQuestion { int length = 0; bool exact = false; Line list, yes, no; };
struct FillInAnswer { int column = 0, row = 0, tries = 0; std::uint32_t colour = 0; Text answer; };
struct ReturnToQuiz {};
struct ExitQuiz {};
struct QuizAnswers { int count = 0, row = 0; Text name; LineList texts; };
// Branches: the sections after the command are run (or stepped over) by its action
struct BranchOnFileExists { Text name; };
struct BranchOnFileInput { Text name; bool exact = false; Line list; };
struct BranchOnInput { int length = 0; bool exact = false; Line list; };
struct BranchOnButton { Text left, right; int length = -1; };
// Jumps: the two action lines of a two-way jump are run by its action (the one not chosen
// may run next as a line of its own)
struct JumpToLabel { Text label; };
struct JumpToFile { Text name; };
struct PageBackTo { Text label; };
struct JumpOnFileExists { Text name; };
struct JumpOnFileInput { Text name; bool exact = false; Line list; };
struct JumpOnInput { int length = 0; bool exact = false; Line list; };
struct JumpOnButton { Text left, right; int length = -1; };
// rows: the `count` matches, then the final action
struct JumpOnMatch { int count = 0, length = 0; bool exact = false; RowList rows; };
struct JumpOnFileMatch { Text name; int count = 0; bool exact = false; RowList rows; };
struct RejoinChapter { Text file, label; };
struct RejoinPage {};
struct ClearPageLabel {};
struct ChangePageLabel { Text label; };
struct JumpAndReturn { Text label, back; };
struct Return {};
struct BoxMenu { int c1 = 0, r1 = 0, c2 = 0, r2 = 0, count = 0; RowList rows; };
struct MenuButton { int column = 0, row = 0, end = 0; Text caption, action; };
struct ButtonMenu { std::vector<MenuButton> buttons; };
// Defaults of the bars and links
struct ControlButtonTag { char button = 'C'; Text legend; };
struct HypertextColor { std::uint32_t text = 0, back = 0; };
struct BarColour { char which = 'B'; std::uint32_t colour = 0; };  // B title bar, T title text, P control bar
struct NotePad { Text name; };

}  // namespace cmd

using CommandValue = std::variant<
    cmd::ClearScreen, cmd::Wait, cmd::Exit, cmd::Title, cmd::Controls, cmd::Execute, cmd::Position, cmd::Heading,
    cmd::WindowText, cmd::DrawLine, cmd::Blink, cmd::Delay, cmd::Pause, cmd::CenterText, cmd::Box, cmd::Section,
    cmd::ShowImage, cmd::ScreenImage, cmd::ImageHypertext, cmd::ImageLabel, cmd::DeleteFile, cmd::CopyFile,
    cmd::PrintFile, cmd::AddToFile, cmd::DisplayFile, cmd::InputToFile, cmd::Memo, cmd::GetUserInput,
    cmd::QuickQuestion, cmd::FillInAnswer, cmd::ReturnToQuiz, cmd::ExitQuiz, cmd::QuizAnswers,
    cmd::BranchOnFileExists, cmd::BranchOnFileInput, cmd::BranchOnInput, cmd::BranchOnButton, cmd::JumpToLabel,
    cmd::JumpToFile, cmd::PageBackTo, cmd::JumpOnFileExists, cmd::JumpOnFileInput, cmd::JumpOnInput,
    cmd::JumpOnButton, cmd::JumpOnMatch, cmd::JumpOnFileMatch, cmd::RejoinChapter, cmd::RejoinPage,
    cmd::ClearPageLabel, cmd::ChangePageLabel, cmd::JumpAndReturn, cmd::Return, cmd::BoxMenu, cmd::ButtonMenu,
    cmd::ControlButtonTag, cmd::HypertextColor, cmd::BarColour, cmd::NotePad>;

// ParseCommand (command_table.h) reads a translated command's value through its row's parse.

}  // namespace quill
