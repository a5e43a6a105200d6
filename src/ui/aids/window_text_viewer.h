#pragma once
// WindowTextViewer: the window text viewer: the preview screen with its control bar and the
// window text in a panel the author moves and resizes; "Show Coordinates" (right mouse
// button, or the menu key) gives the panel's place in screen cells, the numbers a chapter's
// window text command takes.
#include <QDialog>
#include <string>
#include <vector>

class QMenu;

namespace quill {

struct AidsContext;
class SizingPanel;

// Window name (its objectName): TWTextTestForm.
class WindowTextViewer : public QDialog {
    Q_OBJECT
public:
    WindowTextViewer(AidsContext& context, const std::vector<std::string>& text, const std::string& color,
                   QWidget* parent = nullptr);
    SizingPanel* Panel() const { return panel_; }
    QMenu* Menu() const { return menu_; }
    void ShowCoordinatesClick();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AidsContext& context_;
    SizingPanel* panel_ = nullptr;
    QMenu* menu_ = nullptr;
};

void ViewWindowText(AidsContext& context, const std::vector<std::string>& text, const std::string& color,
                    QWidget* parent = nullptr);

}  // namespace quill
