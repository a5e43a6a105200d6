#pragma once
// The external-type choosers: what kind of outside program a command, link or utility runs.
// ExternalTypeChooser offers an executable program (type 4), a Windows related program (type 9) and
// an HTML page (type 10); ProgramTypeChooser only the first two. Each radio button enables its own
// "Add", which runs the matching chooser; "&OK" returns the command and type of the last
// successful "Add".
#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/choice_rows.h"

namespace Ui {
class ExternalTypeChooser;
}  // namespace Ui

namespace quill {

struct AidsContext;

struct ExternalCommand {
    int type = 4;         // 4, 9 or 10
    std::string command;  // the command text the chooser returned
    bool operator==(const ExternalCommand&) const = default;
};

// Window name (its objectName): TExeChoiceForm.
class ExternalTypeChooser : public QDialog {
    Q_OBJECT
public:
    // `command` goes to the chooser of `type` when that type is offered.
    ExternalTypeChooser(AidsContext& context, const std::string& command, int type, QWidget* parent = nullptr);
    ~ExternalTypeChooser() override;

    // The result of the last successful "Add"; nullopt when none succeeded.
    const std::optional<ExternalCommand>& Choice() const { return choice_; }
    // The type of the radio button that is selected.
    int SelectedType() const;
    // Runs the chooser of that type (as its "Add" button does).
    void AddClick(int type);

protected:
    struct Option {
        int type;
        QString caption;
        const char* name;  // object name stem: "Exe", "WinExe", "Html"
    };
    ExternalTypeChooser(AidsContext& context, const std::string& command, int type, const QString& title,
                   const std::vector<Option>& options, QWidget* parent);

private:
    void Build(const QString& title, const std::vector<Option>& options);

    AidsContext& context_;
    std::unique_ptr<Ui::ExternalTypeChooser> ui_;
    std::string command_;
    int type_;
    std::vector<ChoiceRow> rows_;
    std::vector<int> types_;
    std::optional<ExternalCommand> choice_;
};

// Window name (its objectName): TExe2ChoiceForm.
class ProgramTypeChooser : public ExternalTypeChooser {
    Q_OBJECT
public:
    ProgramTypeChooser(AidsContext& context, const std::string& command, int type, QWidget* parent = nullptr);
};

}  // namespace quill
