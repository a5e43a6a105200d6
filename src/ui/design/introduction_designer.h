#pragma once
// IntroductionDesigner: the introduction screen's parts: the title bar, the status bar, the text
// window (off: the text fills the screen) and the menu bar, each switched on by its box and
// designed with the button beside it (enabled while the box is ticked). OK stores the four
// switches; DesignIntroductionScreen then writes the introduction group and the menu captions
// back.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "project/config_record.h"

namespace Ui {
class IntroductionDesigner;
}

namespace quill {

class Project;
struct Platform;

// Window name (its objectName): TIntroDesignForm.
class IntroductionDesigner : public QDialog {
    Q_OBJECT
public:
    IntroductionDesigner(const Project& project, Platform& platform, const TTutorialConfig& record,
                     const std::vector<std::string>& text, QWidget* parent = nullptr);
    ~IntroductionDesigner() override;
    const TTutorialConfig& Record() const { return copy_; }

    void StoreSwitches();

private:
    void UpdateButtons();
    void DesignBar(bool title);

    const Project& project_;
    Platform& platform_;
    TTutorialConfig copy_;
    std::vector<std::string> text_;
    std::unique_ptr<Ui::IntroductionDesigner> ui_;
};

bool DesignIntroductionScreen(const Project& project, Platform& platform, TTutorialConfig& record,
                              const std::vector<std::string>& text, QWidget* parent = nullptr);

}  // namespace quill
