#pragma once
// TutorialTypeSettings: the tutorial type. A tutorial starts with one chapter (its starting chapter,
// chosen from the project's chapter files) or with the main menu (its chapter list and screen
// designed from here). It edits a copy of the whole record; DefineTutorialType writes it back
// and saves the project only on "Save".
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "project/config_record.h"

namespace Ui {
class TutorialTypeSettings;
}

namespace quill {

class Project;
struct Platform;

// The refusal of "Save" for a starting-chapter tutorial with this text in its edit: the
// chapter name rule (the name starts with the project name). nullopt when it may be saved.
std::optional<std::string> StartChapterRefusal(const std::string& editText, const std::string& projectName);
// What "Save" stores as StartChapter: the name without folder and extension, cut to 25, when
// the text is a valid file name; otherwise empty.
std::string StartChapterToStore(const std::string& editText);

// Window name (its objectName): TTutConfigForm.
class TutorialTypeSettings : public QDialog {
    Q_OBJECT
public:
    TutorialTypeSettings(const Project& project, Platform& platform, QWidget* parent = nullptr);
    ~TutorialTypeSettings() override;
    const TTutorialConfig& Record() const { return copy_; }

    void DefineChaptersBtnClick();
    void DesignMenuBtnClick();
    // "Save": true when the copy holds the choices and may be written back.
    bool SaveBtnClick();

private:
    void ShowGroups();

    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::unique_ptr<Ui::TutorialTypeSettings> ui_;
};

// Shows the dialog; on "Save" the record is written back and the project saved. True then.
bool DefineTutorialType(Project& project, Platform& platform, QWidget* parent = nullptr);

}  // namespace quill
