#pragma once
// ViewportDisplay: the viewport display of a "Graphic and Text" entry: a 640 x 480 screen with a
// title bar panel and a status bar panel, the background of the entry's display type (a colour,
// a graphic, or a tiled .BMP wallpaper) and the rich text in the entry's text window (or over
// the whole screen). Escape, "&Close" or a left click on the screen closes it.
#include <QDialog>
#include <QImage>
#include <string>
#include <vector>

#include "datafile/screen_background.h"
#include "common/learner_screen.h"

class QLabel;
class QTextBrowser;

namespace quill {

struct AidsContext;

// The background of a viewport display: what to paint and the message to show first (empty
// when the background could be made as asked).
using ViewportBackground = BackgroundPicture;
ViewportBackground MakeViewportBackground(const AidsContext& context, const TScreenBackground& settings);

// Window name (its objectName): TTxtVPDispForm.
class ViewportDisplay : public QDialog {
    Q_OBJECT
public:
    // Any message about the background (a missing graphic or wallpaper) is shown as the window
    // is made, and the background falls back to the colour.
    ViewportDisplay(AidsContext& context, const QString& name, const TScreenBackground& settings,
                   const std::vector<std::string>& text, QWidget* parent = nullptr);
    QTextBrowser* RichEdit() const { return RichEdit1_; }
    const ViewportBackground& Background() const { return background_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    AidsContext& context_;
    ViewportBackground background_;
    QTextBrowser* RichEdit1_ = nullptr;
};

}  // namespace quill
