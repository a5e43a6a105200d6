#pragma once
// MainWindow: the program's main window. A tiled background with, centred on it, the panel
// of buttons for every stage of authoring, and a status line with the current hint and the
// open tutorial's name. Every other window is opened from here, modally, while the panel is
// hidden; afterwards the buttons are enabled from what the project now holds.
#include <QMainWindow>
#include <QMap>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/control_names.h"
#include "project/project.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace Ui {
class MainWindow;
}  // namespace Ui

namespace quill {

class ChapterRunner;
class ProgramMemory;
class SystemServices;
struct Platform;

// Window name (its objectName): TQMKmainform.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Project& project, Platform& platform, ChapterRunner& runner, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sets the project label and enables every button by the open project.
    void UpdateButtons();
    // Shows the open project's name (or "None Selected") in the status line.
    void UpdateProjectLabel();

    // Replaces what a button does (its window comes from elsewhere). Buttons whose windows are
    // not part of the program yet say so in an information box until they are given one.
    void SetAction(ControlName button, std::function<void()> action);
    QPushButton* Button(ControlName name) const;

    // The outside services of the teaching aids; without them "Teaching Aids" and the chapter
    // editor's "Define HyperText" say that they are not available.
    void SetSystemServices(SystemServices* system) { system_ = system; }

    // Where the sample tutorial offered at the first start is copied (the user's documents).
    void SetDocumentsFolder(const std::filesystem::path& folder) { documents_ = folder; }

    // What the program keeps between runs. With it, the start reopens the tutorial opened last
    // (or else offers the sample, once ever), every tutorial opened is remembered, and the
    // chapter editor comes back where it was. Without it, the sample is offered at every start
    // with no tutorial open.
    void SetMemory(ProgramMemory* memory) { memory_ = memory; }

    // Set at start when the display has fewer than 16 bits per pixel.
    void SetLowColor(bool lowColor) { lowColor_ = lowColor; }
    static QString ColorAdvisoryText();
    static bool DisplayIsLowColor();

    // The button actions (each also runs inside the frame that hides and restores the panel).
    void SelectBtnClick();
    void StartBtnClick();
    void ViewBtnClick();
    void EditBtnClick();
    void AboutBtnClick();
    void HelpBtnClick();
    void TutBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    // The window opens maximised with a fixed border: once it fills the work area its size is
    // fixed, so it can be neither resized nor maximised again.
    void resizeEvent(QResizeEvent* event) override;

private:
    // The panel of buttons (main_window.ui) on the background; wires every button.
    void BuildPanel(QWidget* background);
    // Hides the panel, runs the action with the default error handler, shows the panel again
    // and puts the focus back on the button.
    void RunFramed(QPushButton* button, const std::function<void()>& action);
    void StartTimerTimer();
    void ChangeToProjectDir();
    void FillRecentMenu();  // the remembered tutorials but the open one

    Project& project_;
    Platform& platform_;
    ChapterRunner& runner_;
    SystemServices* system_ = nullptr;
    ProgramMemory* memory_ = nullptr;
    std::unique_ptr<Ui::MainWindow> ui_;
    QFrame* MenuPnl_ = nullptr;
    QLabel* ProjectLbl_ = nullptr;
    QToolButton* RecentBtn_ = nullptr;
    QTimer* StartTimer_ = nullptr;
    QMap<QString, QPushButton*> buttons_;
    QMap<QString, std::function<void()>> actions_;
    bool lowColor_ = false;
    bool started_ = false;
    std::filesystem::path documents_;
};

}  // namespace quill
