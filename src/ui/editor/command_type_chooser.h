#pragma once
// CommandTypeChooser: what the tutorial's opening or closing command does: show a graphic, play a
// voice, run an external program, or show a graphic with a sound. Each type has a radio button
// and a "Define" button that runs its chooser; a definition made that way holds the data of
// its type only.
#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "project/command_setting.h"

class QRadioButton;

namespace Ui {
class CommandTypeChooser;
}  // namespace Ui

namespace quill {

struct AidsContext;

// The refusal "&OK" gives for a definition of `type` whose data is missing; empty when the
// data is there.
QString CommandSettingRefusal(const TCommandSetting& setting, int type);

// A definition after a chooser of `type` returned: the graphic, sound, voice and program data
// are all cleared, then the chooser's result is stored and the description takes its spec.
struct ChooserResult {
    std::string graphic, sound, voice, program;
    int duration = 0;
    std::string spec;
};
TCommandSetting DefinedSetting(const TCommandSetting& setting, int type, const ChooserResult& result);

// Window name (its objectName): TCommandTypeForm.
class CommandTypeChooser : public QDialog {
    Q_OBJECT
public:
    // `groupTitle` is " Opening Command Type " or " Closing Command Type "; with
    // `limitExternal` the external types are executable and Windows program only.
    CommandTypeChooser(AidsContext& context, const QString& groupTitle, int helpTopic, bool limitExternal,
                     const TCommandSetting& setting, QWidget* parent = nullptr);
    ~CommandTypeChooser() override;

    // The definition as edited (its CommandType is the selected type once OK was pressed).
    const TCommandSetting& Setting() const { return setting_; }
    // The type of the selected radio button: 2, 3, 6, or the external type (4, 9 or 10).
    int SelectedType() const;

    void DefineClick(int radioIndex);
    void OKBtnClick();

private:
    AidsContext& context_;
    std::unique_ptr<Ui::CommandTypeChooser> ui_;
    bool limitExternal_;
    TCommandSetting setting_;
    std::array<QRadioButton*, 4> radios_{};
};

}  // namespace quill
