#pragma once
// ProgramPresentationSettings: the program presentation: the finished program's title and icon, the
// opening and closing commands, the introduction, the tutorial's about box, its help file,
// the video advisory and the background screen. It edits copies of the presentation group and
// the program settings and holds the introduction's text; ProgramPresentation writes them back
// (the text into the data file) and saves the project only on "&Save".
#include <QDialog>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "project/config_record.h"

namespace Ui {
class ProgramPresentationSettings;
}

namespace quill {

class Project;
class SystemServices;
struct Platform;

// The refusal of "&Save" when a ticked opening or closing command was never defined (its
// description is empty); nullopt when it may be saved.
std::optional<QString> PresentationRefusal(const TTutorialConfig& copy, bool openingTicked, bool closingTicked);
// "&Save" on the icon: the switch and the name (cut to 150); no name clears the switch, a
// cleared switch empties the name.
void StoreIconSettings(TTutorialConfig& copy, bool iconOn, const std::string& iconFile);
// "&Save" on the help file: the switch; a help file without a name or a topic below 1 is off,
// and off clears the name and the topic.
void StoreHelpSettings(TTutorialConfig& copy, bool helpOn);

// Window name (its objectName): TProgConfigForm.
class ProgramPresentationSettings : public QDialog {
    Q_OBJECT
public:
    ProgramPresentationSettings(Project& project, Platform& platform, SystemServices& system, QWidget* parent = nullptr);
    ~ProgramPresentationSettings() override;
    const TTutorialConfig& Record() const { return copy_; }
    const std::vector<std::string>& IntroductionText() const { return introText_; }

    void OpeningBtnClick();
    void ClosingBtnClick();
    void IntroBtnClick();
    void AboutBtnClick();
    void HelpFileBtnClick();
    void BackgroundBtnClick();
    // "&Save": checks, stores the controls in the copy and writes or removes the data file's
    // introduction. True when the copy may be written back.
    bool SaveBtnClick();

private:
    void UpdateControls();
    void EditCommand(bool opening);

    Project& project_;
    Platform& platform_;
    SystemServices& system_;
    TTutorialConfig copy_;
    std::vector<std::string> introText_;
    bool introEdited_ = false;
    std::unique_ptr<Ui::ProgramPresentationSettings> ui_;
};

// Shows the dialog; on "&Save" the groups are written back and the project saved. True then.
bool ProgramPresentation(Project& project, Platform& platform, SystemServices& system, QWidget* parent = nullptr);

}  // namespace quill
