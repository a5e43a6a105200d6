#pragma once
// The windows in which the author places a text window on the 640 x 480 screen by dragging a
// panel that stands for it: HypertextWindowAdjuster for a "Text Only" entry (the plain display, with
// its caption strip and OK button), ViewportWindowAdjuster for a "Graphic and Text" entry (the
// viewport display's screen with its title and status strips and background). The right
// mouse button opens the menu Save, Quit and Help; Escape and Quit end without saving, and
// closing with an unsaved change asks "Save changes?" (Yes saves).
#include <QDialog>
#include <string>
#include <vector>

#include "datafile/screen_background.h"

class QMenu;

namespace quill {

struct AidsContext;
class SizingPanel;

class TextWindowAdjuster : public QDialog {
    Q_OBJECT
public:
    // The settings with the panel's place written back after Save (unchanged otherwise).
    const TScreenBackground& Settings() const { return settings_; }
    bool Saved() const { return saved_; }
    SizingPanel* Panel() const { return panel_; }
    QMenu* Menu() const { return menu_; }

    void SaveItemClick();
    void QuitItemClick();
    void done(int result) override;

protected:
    TextWindowAdjuster(AidsContext& context, const TScreenBackground& settings, int helpTopic, QWidget* parent);
    // The surface the panel lies on (640 x 480) and the panel, made by the subclass.
    void SetUp(QWidget* surface, SizingPanel* panel, const QRect& place);
    virtual void StoreRect(TScreenBackground& settings, const QRect& panel) const = 0;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    AidsContext& context_;
    TScreenBackground settings_;

private:
    SizingPanel* panel_ = nullptr;
    QMenu* menu_ = nullptr;
    QRect start_;
    bool saved_ = false;
    bool asked_ = false;
};

// Window name (its objectName): THypTextAdjForm.
class HypertextWindowAdjuster : public TextWindowAdjuster {
    Q_OBJECT
public:
    HypertextWindowAdjuster(AidsContext& context, const TScreenBackground& settings, const std::vector<std::string>& text,
                    QWidget* parent = nullptr);

protected:
    void StoreRect(TScreenBackground& settings, const QRect& panel) const override;
};

// Window name (its objectName): TVPAdjustForm.
class ViewportWindowAdjuster : public TextWindowAdjuster {
    Q_OBJECT
public:
    ViewportWindowAdjuster(AidsContext& context, const TScreenBackground& settings, const std::vector<std::string>& text,
                  QWidget* parent = nullptr);

protected:
    void StoreRect(TScreenBackground& settings, const QRect& panel) const override;
};

}  // namespace quill
