#pragma once
// The teaching-aid windows that the chapter editor opens: defining the chapter's hypertext
// links and editing the heading formats. They belong to the teaching aids, which the editor
// does not include; the program hands them to the editor (see app/teaching_aids_link.h).
#include <QStringList>
#include <functional>

class QWidget;

namespace quill {

struct AidsContext;

struct AidsWindows {
    // Defines the data file entries of the hypertext words in the chapter's lines.
    std::function<void(AidsContext&, const QStringList& chapterLines, QWidget* parent)> defineHypertext;
    // The heading formats' editor.
    std::function<void(AidsContext&, QWidget* parent)> editHeadings;
};

}  // namespace quill
