#pragma once
// TextEntryDisplay: the plain display of a text entry ("Text Only"): a window at the entry's
// text window rectangle, in its window colour, showing the rich text above an "&OK" button.
// "&OK", Escape or Enter closes it.
#include <QDialog>
#include <QPoint>
#include <memory>
#include <string>
#include <vector>

#include "datafile/screen_background.h"

class QTextBrowser;

namespace Ui {
class TextEntryDisplay;
}  // namespace Ui

namespace quill {

// Window name (its objectName): TShowHTextForm.
class TextEntryDisplay : public QDialog {
    Q_OBJECT
public:
    // `origin` is the screen position of the preview screen's top left corner; the entry's
    // left and top are measured from it. The window is captioned `caption` (the entry's name)
    // and has only a close box.
    TextEntryDisplay(const TScreenBackground& settings, const std::vector<std::string>& text, QPoint origin,
                   QWidget* parent = nullptr, const QString& caption = QString());
    ~TextEntryDisplay() override;
    QTextBrowser* RichEdit() const;

private:
    std::unique_ptr<Ui::TextEntryDisplay> ui_;
};

}  // namespace quill
