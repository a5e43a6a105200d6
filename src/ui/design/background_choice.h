#pragma once
// The screen background choice that several designers share: three radio buttons (a colour, a
// graphic .BMP or .JPG, a tiled wallpaper .BMP), each with its group of controls shown only while
// it is chosen; the colour button with its sample, and for either file an edit, a list of the
// project's matching files and a "Find File" button. The dialog keeps its own record copy; this
// class fills the controls from it, keeps the colour in it as it is chosen and writes the type
// and file names back on request.
#include <QObject>
#include <QString>

#include "project/config_record.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quill {

class Project;
struct Platform;

// Where a background is kept in the record: its type (1 colour, 2 graphic, 3 wallpaper), its
// colour and the two file names (their capacity is the edits' length).
struct BackgroundFields {
    IntField type;
    ColorField colour;
    StrField graphic;
    StrField wallpaper;
};

// The controls of a background choice; every designer names them alike.
struct BackgroundControls {
    QRadioButton *ColorRb, *GraphicRb, *WallpaperRb;
    QWidget *ColorGrp, *GraphicGrp, *WallpaperGrp;
    QWidget* ColorPnl;
    QPushButton* ColorBtn;
    QLineEdit *GraphicEdit, *WallpaperEdit;
    QListWidget *GraphicListBox, *WallpaperListBox;
    QPushButton *GraphicFindBtn, *WallpaperFindBtn;
};

// The background controls of a generated form class.
template <class Form>
BackgroundControls BackgroundControlsOf(const Form& ui) {
    return {ui.ColorRb,        ui.GraphicRb,        ui.WallpaperRb,
            ui.ColorGrp,       ui.GraphicGrp,       ui.WallpaperGrp,
            ui.ColorPnl,       ui.ColorBtn,
            ui.GraphicEdit,    ui.WallpaperEdit,
            ui.GraphicListBox, ui.WallpaperListBox,
            ui.GraphicFindBtn, ui.WallpaperFindBtn};
}

class BackgroundChoice : public QObject {
public:
    // Fills the controls from `record` and wires them; `record` must outlive this object.
    // `wallpaperFilter` is the open-file filter of the wallpaper's "Find File".
    BackgroundChoice(const Project& project, Platform& platform, TTutorialConfig& record,
                     const BackgroundFields& fields, const BackgroundControls& controls,
                     const QString& wallpaperFilter);

    // 1 colour, 2 graphic, 3 wallpaper, as the radio buttons stand.
    int ChosenType() const;

    // How the file names are written: only the chosen type's (the other is cleared), or both as
    // they stand in the edits.
    enum class Names { ChosenOnly, Both };
    // Writes the chosen type and the file names into `into`.
    void Store(TTutorialConfig& into, Names names) const;

private:
    void UpdateGroups();

    const Project& project_;
    Platform& platform_;
    TTutorialConfig& record_;
    BackgroundFields fields_;
    BackgroundControls ui_;
};

}  // namespace quill
