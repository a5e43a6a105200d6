#pragma once
// The chapter list of the main menu as rows of (topic, file name), and how the list is stored:
// the complete rows (both parts filled) packed to the front in row order, the rest emptied,
// ChapterCount set to the number of complete rows.
#include <array>
#include <string>

#include "project/config_record.h"

namespace quill {

struct MenuRow {
    std::string topic;  // the pick's caption, up to 25 characters
    std::string file;   // a chapter base name, up to 25 characters
    bool Complete() const { return !topic.empty() && !file.empty(); }
    bool Empty() const { return topic.empty() && file.empty(); }
    bool operator==(const MenuRow&) const = default;
};
using MenuRows = std::array<MenuRow, cfg::MainMenu::MaxChapters>;

MenuRows ReadMenuRows(const TTutorialConfig& record);
// Some row has a topic without a file name or a file name without a topic.
bool HasIncompleteRows(const MenuRows& rows);
// The complete rows first, in row order, then empty rows; `count` gets their number.
MenuRows PackMenuRows(const MenuRows& rows, int& count);
// Writes the packed rows and ChapterCount.
void WriteMenuRows(TTutorialConfig& record, const MenuRows& rows);

}  // namespace quill
