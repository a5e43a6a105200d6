#include "design/menu_chapters.h"

namespace quill {

MenuRows ReadMenuRows(const TTutorialConfig& record) {
    MenuRows rows;
    for (int i = 1; i <= static_cast<int>(rows.size()); ++i) {
        const auto entry = cfg::MainMenu::Chapter(i);
        rows[i - 1] = {record.get(entry.Topic), record.get(entry.FileName)};
    }
    return rows;
}

bool HasIncompleteRows(const MenuRows& rows) {
    for (const MenuRow& row : rows)
        if (!row.Complete() && !row.Empty()) return true;
    return false;
}

MenuRows PackMenuRows(const MenuRows& rows, int& count) {
    MenuRows packed;
    count = 0;
    for (const MenuRow& row : rows)
        if (row.Complete()) packed[count++] = row;
    return packed;
}

void WriteMenuRows(TTutorialConfig& record, const MenuRows& rows) {
    int count = 0;
    const MenuRows packed = PackMenuRows(rows, count);
    for (int i = 1; i <= static_cast<int>(packed.size()); ++i) {
        const auto entry = cfg::MainMenu::Chapter(i);
        record.set(entry.Topic, packed[i - 1].topic);
        record.set(entry.FileName, packed[i - 1].file);
    }
    record.set(cfg::MainMenu::ChapterCount, count);
}

}  // namespace quill
