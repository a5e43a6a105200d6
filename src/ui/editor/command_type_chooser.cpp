#include "editor/command_type_chooser.h"

#include <QPushButton>
#include <QRadioButton>

#include "common/aids_context.h"
#include "common/choice_rows.h"
#include "common/external_type_chooser.h"
#include "common/file_chooser.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/project.h"
#include "ui_command_type_chooser.h"

namespace quill {

namespace {

// The radio buttons in the .ui's order and the type each stands for (the external one stands
// for 4, 9 and 10).
constexpr std::array<int, 4> kRadioTypes{2, 3, 4, 6};

bool IsExternal(int type) { return type == 4 || type == 9 || type == 10; }

int RadioOf(int type) {
    if (type == 2) return 0;
    if (type == 3) return 1;
    if (type == 6) return 3;
    return 2;
}

}  // namespace

QString CommandSettingRefusal(const TCommandSetting& s, int type) {
    switch (type) {
        case 2: return s.Arg1.empty() ? "No Graphic File has been selected." : QString();
        case 3: return s.Arg3.empty() ? "No Voice File has been selected." : QString();
        case 6:
            if (s.Arg2.empty()) return "No Graphic File has been selected.";
            return s.Arg4.empty() ? "No Sound File has been selected." : QString();
        default: return s.Arg5.empty() ? "No Executable File has been defined." : QString();
    }
}

TCommandSetting DefinedSetting(const TCommandSetting& setting, int type, const ChooserResult& r) {
    TCommandSetting s = setting;
    s.Arg1.clear();
    s.Arg2.clear();
    s.Arg3.clear();
    s.Arg4.clear();
    s.Arg5.clear();
    s.Duration = 0;
    s.CommandType = type;
    switch (type) {
        case 2:
            s.Arg1 = r.graphic;
            s.Duration = static_cast<std::uint16_t>(r.duration);
            break;
        case 3: s.Arg3 = r.voice; break;
        case 6:
            s.Arg2 = r.graphic;
            s.Arg4 = r.sound;
            s.Duration = static_cast<std::uint16_t>(r.duration);
            break;
        default: s.Arg5 = r.program; break;
    }
    s.Description = r.spec;
    return s;
}

CommandTypeChooser::CommandTypeChooser(AidsContext& context, const QString& groupTitle, int helpTopic,
                                   bool limitExternal, const TCommandSetting& setting, QWidget* parent)
    : QDialog(parent),
      context_(context),
      ui_(std::make_unique<Ui::CommandTypeChooser>()),
      limitExternal_(limitExternal),
      setting_(setting) {
    ui_->setupUi(this);
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    if (setting_.CommandType == 0) setting_.CommandType = 4;

    if (!groupTitle.isEmpty()) ui_->TypeGroup->setTitle(groupTitle);
    radios_ = {ui_->GraphicRadio, ui_->VoiceRadio, ui_->ExecutableRadio, ui_->GrSoundRadio};
    const std::array<QPushButton*, 4> defines{ui_->GraphicDefineBtn, ui_->VoiceDefineBtn, ui_->ExecutableDefineBtn,
                                              ui_->GrSoundDefineBtn};
    for (int i = 0; i < 4; ++i) connect(defines[i], &QPushButton::clicked, this, [this, i] { DefineClick(i); });
    radios_[RadioOf(setting_.CommandType)]->setChecked(true);
    connect(AddChoiceButtons(this, ui_->ButtonBox), &QPushButton::clicked, this, &CommandTypeChooser::OKBtnClick);
}

CommandTypeChooser::~CommandTypeChooser() = default;

int CommandTypeChooser::SelectedType() const {
    for (int i = 0; i < 4; ++i) {
        if (!radios_[i]->isChecked()) continue;
        if (kRadioTypes[i] == 4) return IsExternal(setting_.CommandType) ? setting_.CommandType : 4;
        return kRadioTypes[i];
    }
    return 4;
}

void CommandTypeChooser::DefineClick(int radioIndex) {
    const std::filesystem::path& dir = context_.project.ProjectDir;
    ChooserResult result;
    int type = kRadioTypes[radioIndex];
    switch (type) {
        case 2: {
            const auto chosen = ChooseMedia(
                context_, ChooserKind::Graphic,
                {OfferedFile(dir, setting_.Arg1, {"*.jpg", "*.bmp"}, false), {}, setting_.Duration, {}}, this);
            if (!chosen) return;
            result.graphic = chosen->file;
            result.duration = chosen->duration;
            result.spec = chosen->spec;
            break;
        }
        case 3: {
            const auto chosen = ChooseMedia(context_, ChooserKind::Audio,
                                            {OfferedFile(dir, setting_.Arg3, {"*.wav"}, false), {}, 0, {}}, this);
            if (!chosen) return;
            result.voice = chosen->file;
            result.spec = chosen->spec;
            break;
        }
        case 6: {
            const auto chosen = ChooseMedia(context_, ChooserKind::GraphicAndSound,
                                            {OfferedFile(dir, setting_.Arg2, {"*.jpg", "*.bmp"}, false),
                                             OfferedFile(dir, setting_.Arg4, {"*.wav", "*.mid"}, false),
                                             setting_.Duration, {}},
                                            this);
            if (!chosen) return;
            result.graphic = chosen->file;
            result.sound = chosen->sound;
            result.duration = chosen->duration;
            result.spec = chosen->spec;
            break;
        }
        default: {
            const int incomingType = IsExternal(setting_.CommandType) ? setting_.CommandType : 4;
            std::optional<ExternalCommand> chosen;
            if (limitExternal_) {
                ProgramTypeChooser form(context_, setting_.Arg5, incomingType, this);
                if (ShowModal(form) == QDialog::Accepted) chosen = form.Choice();
            } else {
                ExternalTypeChooser form(context_, setting_.Arg5, incomingType, this);
                if (ShowModal(form) == QDialog::Accepted) chosen = form.Choice();
            }
            if (!chosen) return;
            type = chosen->type;
            result.program = chosen->command;
            result.spec = chosen->command;
            break;
        }
    }
    setting_ = DefinedSetting(setting_, type, result);
}

void CommandTypeChooser::OKBtnClick() {
    // The selected type's data is checked every time: a definition just made passes, and a
    // type selected after it without being defined is refused rather than saved without data.
    const int type = SelectedType();
    const QString refusal = CommandSettingRefusal(setting_, type);
    if (!refusal.isEmpty()) {
        context_.platform.messages.ShowError(refusal);
        return;
    }
    setting_.CommandType = type;
    accept();
}

}  // namespace quill
