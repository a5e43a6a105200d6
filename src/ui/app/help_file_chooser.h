#pragma once
// HelpFileChooser: the tutorial's help file and its starting topic. The file is chosen from the
// project's help files or found elsewhere and copied in ("Copy Help File"); the topic must be
// a whole number above 0.
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class HelpFileChooser;
}

namespace quill {

class Project;
struct Platform;

// The topic text as a number, or nullopt when it is not a whole number.
std::optional<int> ParseTopic(const QString& text);

// Window name (its objectName): THelpfileForm.
class HelpFileChooser : public QDialog {
    Q_OBJECT
public:
    HelpFileChooser(const Project& project, Platform& platform, const std::string& helpFile, int topic,
                  QWidget* parent = nullptr);
    ~HelpFileChooser() override;
    std::string HelpFile() const;
    int Topic() const;

    void FindBtnClick();
    // Leaving the topic edit: a text that is not a number is refused and reset to "1".
    void TopicEditExit();
    void accept() override;

private:
    void FillList();

    const Project& project_;
    Platform& platform_;
    std::unique_ptr<Ui::HelpFileChooser> ui_;
    bool justRefused_ = false;
};

// Shows the dialog; on OK the file and topic are given back. True on OK.
bool ChooseHelpFile(const Project& project, Platform& platform, std::string& helpFile, int& helpTopic,
                    QWidget* parent = nullptr);

}  // namespace quill
