#include "common/file_chooser.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <functional>
#include <memory>

#include "common/aids_context.h"
#include "common/media_preview.h"
#include "common/number_field.h"
#include "common/program_launcher.h"
#include "common/shell_open.h"
#include "datafile/data_file.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/modal.h"
#include "platform/platform.h"
#include "project/file_names.h"
#include "project/project.h"
#include "project/tutorial_folder.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

std::vector<std::string> ListByMasks(const fs::path& folder, const std::string& masks) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= masks.size()) {
        const auto semi = masks.find(';', start);
        const std::string mask = masks.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (!mask.empty())
            for (auto& n : ListByMask(folder, mask)) names.push_back(std::move(n));
        if (semi == std::string::npos) break;
        start = semi + 1;
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = UpperCaseCp1252(a), ub = UpperCaseCp1252(b);
        return ua != ub ? ua < ub : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string FirstMatchingFile(const fs::path& folder, const std::vector<std::string>& masks) {
    for (const std::string& mask : masks)
        if (auto first = FindInProject(folder, mask)) return *first;
    return {};
}

std::string OfferedFile(const fs::path& folder, const std::string& current, const std::vector<std::string>& masks,
                        bool replaceMissing) {
    if (!current.empty() && (!replaceMissing || FindIgnoringCase(folder, current))) return current;
    const std::string first = FirstMatchingFile(folder, masks);
    return first.empty() ? current : first;
}

// ---- FileGroup ------------------------------------------------------------------------------

FileGroup::FileGroup(AidsContext& context, FileGroupSpec spec, const std::string& initial, QWidget* parent)
    : QGroupBox(spec.title, parent), context_(context), spec_(std::move(spec)) {
    setObjectName(spec_.prefix + "FileGroup");
    auto* layout = new QVBoxLayout(this);
    FileEdit_ = new QLineEdit(FromCp1252(initial), this);
    FileEdit_->setObjectName(spec_.prefix + "FileEdit");
    FileEdit_->setMaxLength(spec_.maxLength);
    layout->addWidget(FileEdit_);
    connect(FileEdit_, &QLineEdit::textChanged, this, &FileGroup::ChoiceChanged);
    if (!spec_.listMask.empty()) {
        FileListBox_ = new QListWidget(this);
        FileListBox_->setObjectName(spec_.prefix + "FileListBox");
        FileListBox_->setMinimumHeight(120);
        layout->addWidget(FileListBox_);
        connect(FileListBox_, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { FileEdit_->setText(item->text()); });
        // A file selected by mouse or keyboard becomes the choice. Focus alone does not: entering
        // the list makes a current item without selecting it.
        connect(FileListBox_, &QListWidget::itemSelectionChanged, this, [this] {
            const QList<QListWidgetItem*> selected = FileListBox_->selectedItems();
            if (!selected.isEmpty()) FileEdit_->setText(selected.first()->text());
        });
        Refresh();
    }
    if (!spec_.findFilter.isEmpty()) {
        FindBtn_ = new QPushButton(spec_.findCaption, this);
        FindBtn_->setObjectName(spec_.prefix + "FindBtn");
        FindBtn_->setAutoDefault(false);
        layout->addWidget(FindBtn_, 0, Qt::AlignLeft);
        connect(FindBtn_, &QPushButton::clicked, this, &FileGroup::FindBtnClick);
    }
}

std::string FileGroup::Choice() const { return ToCp1252(FileEdit_->text().trimmed()); }

void FileGroup::SetChoice(const std::string& name) {
    FileEdit_->setText(FromCp1252(name));
    MarkChoiceInList();
}

void FileGroup::Refresh() {
    if (!FileListBox_) return;
    const QSignalBlocker block(FileListBox_);
    FileListBox_->clear();
    for (const std::string& name : ListByMasks(context_.project.ProjectDir, spec_.listMask))
        FileListBox_->addItem(FromCp1252(name));
    MarkChoiceInList();
}

void FileGroup::MarkChoiceInList() {
    if (!FileListBox_) return;
    // The list shows the chosen file as its current, selected item (when it is listed).
    const QSignalBlocker block(FileListBox_);
    const QList<QListWidgetItem*> same = FileListBox_->findItems(FileEdit_->text().trimmed(), Qt::MatchFixedString);
    if (same.isEmpty()) {
        FileListBox_->clearSelection();
        return;
    }
    FileListBox_->setCurrentItem(same.first());
}

void FileGroup::FindBtnClick() {
    const fs::path& dir = context_.project.ProjectDir;
    FileDialogOptions options;
    options.title = "Find File";
    options.filter = spec_.findFilter;
    options.directory = dir;
    const auto picked = context_.platform.dialogs.OpenFile(options);
    if (!picked) return;
    std::string choice = Choice();
    RunGuarded(context_.platform.messages, [&] {
        std::error_code ec;
        if (fs::equivalent(picked->parent_path(), dir, ec)) {
            // Already in the project folder: nothing to copy.
            choice = DiskNameToCp1252(picked->filename());
        } else {
            const std::string mask = spec_.defaultMasks.empty() ? std::string("*.*") : spec_.defaultMasks.front();
            choice = CopyChosenFileIntoProject(dir, *picked, choice, mask, [this](const std::string& question) {
                return context_.platform.messages.Confirm(FromCp1252(question));
            });
        }
    });
    if (choice.empty() || !IsValidFileName(choice)) choice = FirstMatchingFile(dir, spec_.defaultMasks);
    Refresh();
    SetChoice(choice);
}

// ---- FileChooser ---------------------------------------------------------------------------

FileChooser::FileChooser(AidsContext& context, int helpTopic, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle("Press F1 for Help");
    SetHelpTopic(this, helpTopic);
    InstallF1Help(this, context_.platform.help, context_.platform.helpFile);
    auto* layout = new QVBoxLayout(this);
    fields_ = new QFormLayout;
    layout->addLayout(fields_);
}

FileGroup* FileChooser::AddGroup(const FileGroupSpec& spec, const std::string& initial) {
    auto* group = new FileGroup(context_, spec, initial, this);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(static_cast<int>(groups_.size()), group);
    groups_.push_back(group);
    connect(group, &FileGroup::ChoiceChanged, this, &FileChooser::UpdateView);
    return group;
}

QLineEdit* FileChooser::AddField(const QString& label, const QString& objectName, const QString& text,
                                  int maxLength) {
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    fields_->addRow(label, edit);
    return edit;
}

void FileChooser::AddDuration(int duration) {
    DurationEdit_ = AddField("Duration (1/10th sec)", "DurationEdit", QString::number(duration), 4);
    connect(DurationEdit_, &QLineEdit::editingFinished, this, [this] { CheckedDuration(); });
}

int FileChooser::CheckedDuration() {
    if (!DurationEdit_) return 0;
    const FieldCheck check = CheckNumberField(DurationEdit_->text(), 0, INT_MAX, false, {});
    if (check.empty) {
        DurationEdit_->setText("0");
        return 0;
    }
    if (!check.ok) {
        // Reset first: the box takes the focus, and the field must not complain twice.
        DurationEdit_->setText("0");
        context_.platform.messages.ShowError(kNotANumber);
        return 0;
    }
    return check.value;
}

int FileChooser::Duration() const {
    if (!DurationEdit_) return 0;
    const FieldCheck check = CheckNumberField(DurationEdit_->text(), 0, INT_MAX, false, {});
    return check.ok ? check.value : 0;
}

void FileChooser::FinishLayout() {
    auto* row = new QHBoxLayout;
    ViewBtn_ = new QPushButton("&View", this);
    ViewBtn_->setObjectName("ViewBtn");
    ViewBtn_->setAutoDefault(false);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    row->addWidget(ViewBtn_);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(ViewBtn_, &QPushButton::clicked, this, &FileChooser::ViewBtnClick);
    connect(ok, &QPushButton::clicked, this, &FileChooser::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateView();
}

void FileChooser::UpdateView() {
    if (ViewBtn_) ViewBtn_->setEnabled(!groups_.empty() && !groups_.front()->Choice().empty());
}

void FileChooser::ViewBtnClick() {
    if (groups_.empty() || groups_.front()->Choice().empty()) return;
    CheckedDuration();
    RunGuarded(context_.platform.messages, [this] { View(); });
}

void FileChooser::OKBtnClick() {
    for (FileGroup* group : groups_) {
        if (group->Choice().empty()) {
            context_.platform.messages.ShowError(group->Spec().emptyMessage);
            group->Edit()->setFocus();
            return;
        }
        if (group->Spec().mustExist && !TutorialFolder(context_.project.ProjectDir).FindFile(group->Choice())) {
            context_.platform.messages.ShowError(MissingFileText(group->Choice()));
            group->Edit()->setFocus();
            return;
        }
    }
    CheckedDuration();
    accept();
}

// ---- the members ----------------------------------------------------------------------------

namespace {

const QString kGraphicFilter = "Graphic Files|*.JPG;*.BMP";
const QString kSoundFilter = "Sound Files|*.WAV;*.MID";
const QString kWaveFilter = "WAV Files|*.WAV";
const QString kExeFilter = "Executable Files|*.exe;*.com;*.bat";
const QString kHtmlFilter = "HTML Files|*.HTM";

FileGroupSpec GraphicGroup() {
    return {" Select .BMP or .JPG Graphic  ", "*.BMP;*.JPG", kGraphicFilter, "&Find File", {"*.jpg", "*.bmp"},
            "No Graphic file has been selected", 150, ""};
}

std::string Joined(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty()) out += ',';
        out += p;
    }
    return out;
}

}  // namespace

GraphicChooser::GraphicChooser(AidsContext& context, const std::string& name, int duration, QWidget* parent)
    : FileChooser(context, 0, parent) {
    setObjectName("TGetGraphicForm");
    AddGroup(GraphicGroup(), name);
    AddDuration(duration);
    FinishLayout();
}
std::string GraphicChooser::FileName() const { return Group(0)->Choice(); }
std::string GraphicChooser::Spec() const { return Joined({FileName(), std::to_string(Duration())}); }
void GraphicChooser::View() { PreviewMedia(context_, Spec(), this); }

ImageChooser::ImageChooser(AidsContext& context, QWidget* parent) : FileChooser(context, 0, parent) {
    setObjectName("TGetImageForm");
    AddGroup(GraphicGroup(), {});
    FinishLayout();
}
std::string ImageChooser::FileName() const { return Group(0)->Choice(); }
void ImageChooser::View() { PreviewMedia(context_, FileName(), this); }

VoiceChooser::VoiceChooser(AidsContext& context, const std::string& name, QWidget* parent)
    : FileChooser(context, 0, parent) {
    setObjectName("TGetAudioForm");
    AddGroup({" Select a .WAV  Audio  file ", "*.WAV", kWaveFilter, "&Find File", {"*.wav"},
              "No Voice file has been selected", 150, ""},
             name);
    FinishLayout();
}
std::string VoiceChooser::FileName() const { return Group(0)->Choice(); }
void VoiceChooser::View() { PreviewMedia(context_, FileName(), this); }

GraphicSoundChooser::GraphicSoundChooser(AidsContext& context, const std::string& graphic, const std::string& sound,
                                 int duration, QWidget* parent)
    : FileChooser(context, 0, parent) {
    setObjectName("TGetGrAudioForm");
    AddGroup(GraphicGroup(), graphic);
    AddGroup({" Select .WAV or .MID Audio  ", "*.WAV;*.MID", kSoundFilter, "Fi&nd File", {"*.WAV", "*.MID"},
              "No Sound file has been selected", 150, "Sound"},
             sound);
    AddDuration(duration);
    FinishLayout();
}
std::string GraphicSoundChooser::GraphicName() const { return Group(0)->Choice(); }
std::string GraphicSoundChooser::SoundName() const { return Group(1)->Choice(); }
std::string GraphicSoundChooser::Spec() const {
    return Joined({GraphicName(), SoundName(), std::to_string(Duration())});
}
void GraphicSoundChooser::View() {
    std::string spec = GraphicName();
    if (!SoundName().empty()) spec += "," + SoundName();
    PreviewMedia(context_, spec + "," + std::to_string(Duration()), this);
}

ProgramChooser::ProgramChooser(AidsContext& context, const std::string& spec, QWidget* parent)
    : FileChooser(context, 0, parent) {
    setObjectName("TGetExeForm");
    const auto comma = spec.find(',');
    AddGroup({" Enter Executable filename ", "*.exe;*.com;*.bat", kExeFilter, "&Find File",
              {"*.exe", "*.com", "*.bat"}, "No executable file has been selected", 150, ""},
             spec.substr(0, comma));
    ParamEdit_ = AddField("Parameters :", "ParamEdit",
                          comma == std::string::npos ? QString() : FromCp1252(spec.substr(comma + 1)), 150);
    FinishLayout();
}
std::string ProgramChooser::FileName() const { return Group(0)->Choice(); }
std::string ProgramChooser::Parameters() const { return ToCp1252(ParamEdit_->text()); }
std::string ProgramChooser::Spec() const {
    return Parameters().empty() ? FileName() : FileName() + "," + Parameters();
}
void ProgramChooser::View() { LaunchProgram(context_, LaunchExecutable, Spec()); }

WindowsProgramChooser::WindowsProgramChooser(AidsContext& context, const std::string& text, QWidget* parent)
    : FileChooser(context, 0, parent) {
    setObjectName("TGetWinExeForm");
    AddGroup({" Windows related Program ", "", "", "", {}, "No executable file has been selected", 50, ""}, text);
    FinishLayout();
}
std::string WindowsProgramChooser::Text() const { return ToCp1252(Group(0)->Edit()->text()); }
void WindowsProgramChooser::View() { LaunchProgram(context_, LaunchWindowsProgram, Text()); }

HtmlPageChooser::HtmlPageChooser(AidsContext& context, const std::string& name, QWidget* parent)
    : FileChooser(context, 0, parent) {
    setObjectName("TGetHTMForm");
    AddGroup({" Enter HTML filename ", "*.htm", kHtmlFilter, "&Find File", {"*.htm"},
              "No HTML file has been selected", 150, ""},
             name);
    FinishLayout();
}
std::string HtmlPageChooser::FileName() const { return Group(0)->Choice(); }
void HtmlPageChooser::View() { OpenWithShell(context_, FileName()); }

VideoChooser::VideoChooser(AidsContext& context, const std::string& name, QWidget* parent)
    : FileChooser(context, TopicNumber(HelpTopic::VideoFile), parent) {
    setObjectName("TGetVideoForm");
    AddGroup({" Select .AVI Video file ", "*.AVI", "Video Files|*.AVI", "&Find File", {"*.AVI"},
              "No Video file has been selected", 150, "", true},
             name);
    FinishLayout();
}
std::string VideoChooser::FileName() const { return Group(0)->Choice(); }
void VideoChooser::View() { PreviewMedia(context_, FileName(), this); }

MidiChooser::MidiChooser(AidsContext& context, const std::string& name, QWidget* parent)
    : FileChooser(context, TopicNumber(HelpTopic::MidiFile), parent) {
    setObjectName("TGetMidiForm");
    AddGroup({" Select a MIDI file ", "*.MID", "MIDI Files|*.MID", "&Find File", {"*.MID"},
              "No MIDI file has been selected", 150, "", true},
             name);
    FinishLayout();
}
std::string MidiChooser::FileName() const { return Group(0)->Choice(); }
void MidiChooser::View() { PreviewMedia(context_, FileName(), this); }

MediaChoice MediaChoiceOfSpec(ChooserKind kind, std::string_view spec) {
    MediaChoice out;
    const std::size_t parts = kind == ChooserKind::Graphic ? 2 : kind == ChooserKind::GraphicAndSound ? 3 : 1;
    std::vector<std::string> part(parts);
    std::size_t start = 0;
    for (std::size_t i = 0; i < parts; ++i) {
        const std::size_t comma = i + 1 < parts ? spec.find(',', start) : std::string_view::npos;
        part[i] = std::string(spec.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    out.file = part[0];
    if (kind == ChooserKind::GraphicAndSound) out.sound = part[1];
    if (parts > 1) out.duration = ParseInt32(TrimBlanks(part.back())).value_or(0);
    return out;
}

std::optional<MediaChoice> ChooseMedia(AidsContext& context, ChooserKind kind, const MediaChoice& offered,
                                       QWidget* parent, int helpTopic) {
    std::unique_ptr<FileChooser> form;
    std::function<MediaChoice()> result;
    const auto named = [](std::string file) { return MediaChoice{file, {}, 0, file}; };
    switch (kind) {
        case ChooserKind::Image: {
            auto* f = new ImageChooser(context, parent);
            result = [f, named] { return named(f->FileName()); };
            form.reset(f);
            break;
        }
        case ChooserKind::Graphic: {
            auto* f = new GraphicChooser(context, offered.file, offered.duration, parent);
            result = [f] { return MediaChoice{f->FileName(), {}, f->DurationValue(), f->Spec()}; };
            form.reset(f);
            break;
        }
        case ChooserKind::Audio: {
            auto* f = new VoiceChooser(context, offered.file, parent);
            result = [f, named] { return named(f->FileName()); };
            form.reset(f);
            break;
        }
        case ChooserKind::GraphicAndSound: {
            auto* f = new GraphicSoundChooser(context, offered.file, offered.sound, offered.duration, parent);
            result = [f] { return MediaChoice{f->GraphicName(), f->SoundName(), f->DurationValue(), f->Spec()}; };
            form.reset(f);
            break;
        }
        case ChooserKind::Executable: {
            auto* f = new ProgramChooser(context, offered.file, parent);
            result = [f] { return MediaChoice{f->FileName(), {}, 0, f->Spec()}; };
            form.reset(f);
            break;
        }
        case ChooserKind::WindowsProgram: {
            auto* f = new WindowsProgramChooser(context, offered.file, parent);
            result = [f, named] { return named(f->Text()); };
            form.reset(f);
            break;
        }
        case ChooserKind::Html: {
            auto* f = new HtmlPageChooser(context, offered.file, parent);
            result = [f, named] { return named(f->FileName()); };
            form.reset(f);
            break;
        }
        case ChooserKind::Video: {
            auto* f = new VideoChooser(context, offered.file, parent);
            result = [f, named] { return named(f->FileName()); };
            form.reset(f);
            break;
        }
        case ChooserKind::Midi: {
            auto* f = new MidiChooser(context, offered.file, parent);
            result = [f, named] { return named(f->FileName()); };
            form.reset(f);
            break;
        }
    }
    if (!form) return std::nullopt;
    if (helpTopic > 0) SetHelpTopic(form.get(), helpTopic);
    if (ShowModal(*form) != QDialog::Accepted) return std::nullopt;
    return result();
}

}  // namespace quill
