#pragma once
// Define HyperText of the chapter editor: the links between "|" markers of the chapter are
// offered in the entry list picker, one after the other, and the chosen one is opened in the
// hypertext editor (a new link, or the link of that name to modify).
#include <QStringList>

class QWidget;

namespace quill {

struct AidsContext;

// `lines` are the chapter's lines; `editor` (hidden while the links are defined) may be null.
void DefineHyperText(AidsContext& context, const QStringList& lines, QWidget* editor);

}  // namespace quill
