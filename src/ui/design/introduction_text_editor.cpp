#include "design/introduction_text_editor.h"

#include <QPushButton>
#include <QTextCharFormat>
#include <QTextDocument>

#include "datafile/data_file.h"
#include "design/design_common.h"
#include "design/introduction_designer.h"
#include "platform/error_handler.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "platform/platform.h"
#include "common/introduction_dialog.h"
#include "common/learner_screen.h"
#include "project/project.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "screen/text_screen.h"
#include "text/text_file.h"
#include "text_codec.h"
#include "ui_introduction_text_editor.h"

namespace quill {

namespace I = cfg::Intro;

const std::vector<int>& IntroFontSizes() {
    static const std::vector<int> sizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 36, 48, 72};
    return sizes;
}

const std::vector<NamedColour>& IntroTextColours() {
    static const std::vector<NamedColour> colours{
        {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},  {"Olive", 0x008080},
        {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},   {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
        {"Window Text", 0x000000}};
    return colours;
}

IntroductionTextEditor::IntroductionTextEditor(const Project& project, Platform& platform, const TTutorialConfig& record,
                                 QWidget* parent, const std::vector<std::string>* text)
    : QDialog(parent), project_(project), platform_(platform), copy_(record), holdsText_(text != nullptr),
      ui_(std::make_unique<Ui::IntroductionTextEditor>()) {
    ui_->setupUi(this);
    WireDesignerButtons(this, ui_->ButtonBox, platform_, TopicNumber(HelpTopic::IntroductionText),
                        [this] { return OkBtnClick(); });
    for (int size : IntroFontSizes()) ui_->FontSizeBox->addItem(QString::number(size), size);
    for (const NamedColour& c : IntroTextColours()) {
        QPixmap swatch(12, 12);
        swatch.fill(c.value == 0 && std::string(c.name) == "Window Text" ? palette().color(QPalette::Text)
                                                                         : ColourFromRecord(c.value));
        ui_->FontColorBox->addItem(QIcon(swatch), c.name, QVariant::fromValue<uint>(c.value));
    }

    std::vector<std::string> lines;
    if (text)
        lines = *text;
    else
        LoadIntroduction(project_.DataFilePath(), lines);
    ReadRichText(lines, *ui_->RichEdit1->document());
    ShowBackground();

    QTextEdit* edit = ui_->RichEdit1;
    auto apply = [edit](const QTextCharFormat& format) {
        edit->mergeCurrentCharFormat(format);
        edit->setFocus();
    };
    connect(ui_->FontNameBox, &QFontComboBox::textActivated, this, [apply](const QString& family) {
        QTextCharFormat f;
        f.setFontFamilies({family});
        apply(f);
    });
    connect(ui_->FontSizeBox, &QComboBox::activated, this, [this, apply](int index) {
        QTextCharFormat f;
        f.setFontPointSize(ui_->FontSizeBox->itemData(index).toInt());
        apply(f);
    });
    connect(ui_->FontColorBox, &QComboBox::activated, this, [this, apply](int index) {
        QTextCharFormat f;
        const bool windowText = index == static_cast<int>(IntroTextColours().size()) - 1;
        f.setForeground(windowText ? palette().color(QPalette::Text)
                                   : ColourFromRecord(ui_->FontColorBox->itemData(index).toUInt()));
        apply(f);
    });
    connect(ui_->BoldBtn, &QPushButton::clicked, this, [apply](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        apply(f);
    });
    connect(ui_->ItalicBtn, &QPushButton::clicked, this, [apply](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        apply(f);
    });
    connect(edit, &QTextEdit::currentCharFormatChanged, this, &IntroductionTextEditor::ShowSelectionFormat);
    connect(ui_->SelectAllBtn, &QPushButton::clicked, this, [edit] {
        edit->selectAll();
        edit->setFocus();
    });
    connect(ui_->ClearBtn, &QPushButton::clicked, this, [edit] {
        edit->clear();
        edit->setFocus();
    });
    connect(ui_->BackColorBtn, &QPushButton::clicked, this, &IntroductionTextEditor::BackColorBtnClick);
    SetHelpTopic(ui_->ImportBtn, HelpTopic::IntroductionImport);  // the import's own topic, also for F1 on the button
    connect(ui_->ImportBtn, &QPushButton::clicked, this, &IntroductionTextEditor::ImportBtnClick);
    connect(ui_->DesignBtn, &QPushButton::clicked, this, &IntroductionTextEditor::DesignBtnClick);
    connect(ui_->ViewBtn, &QPushButton::clicked, this, &IntroductionTextEditor::ViewBtnClick);
    ShowSelectionFormat();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    edit->setFocus();
}

IntroductionTextEditor::~IntroductionTextEditor() = default;

QTextEdit* IntroductionTextEditor::Editor() const { return ui_->RichEdit1; }

std::vector<std::string> IntroductionTextEditor::TextLines() const { return WriteRichText(*ui_->RichEdit1->document()); }

void IntroductionTextEditor::ShowBackground() {
    QPalette pal = ui_->RichEdit1->palette();
    pal.setColor(QPalette::Base, ColourFromRecord(copy_.get(I::Screen.WindowColor)));
    ui_->RichEdit1->setPalette(pal);
}

void IntroductionTextEditor::ShowSelectionFormat() {
    const QTextCharFormat f = ui_->RichEdit1->currentCharFormat();
    const QSignalBlocker b1(ui_->BoldBtn), b2(ui_->ItalicBtn), b3(ui_->FontSizeBox), b4(ui_->FontNameBox);
    ui_->BoldBtn->setChecked(f.fontWeight() >= QFont::Bold);
    ui_->ItalicBtn->setChecked(f.fontItalic());
    const int size = static_cast<int>(f.fontPointSize() > 0 ? f.fontPointSize() : ui_->RichEdit1->font().pointSize());
    const int index = ui_->FontSizeBox->findData(size);
    if (index >= 0) ui_->FontSizeBox->setCurrentIndex(index);
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty()) ui_->FontNameBox->setCurrentFont(QFont(families.front()));
}

void IntroductionTextEditor::BackColorBtnClick() {
    if (const auto c = ChooseRecordColour(platform_, copy_.get(I::Screen.WindowColor), "Color")) {
        copy_.set(I::Screen.WindowColor, *c);
        ShowBackground();
    }
}

void IntroductionTextEditor::ImportBtnClick() {
    FileDialogOptions options;
    options.title = "Import File";
    options.filter = "Rich Text Files|*.RTF|Text Files|*.TXT|All Files|*.*";
    options.directory = project_.ProjectDir;
    const auto picked = platform_.dialogs.OpenFile(options);
    if (!picked) return;
    RunGuarded(platform_.messages, [&] {
        const std::string bytes = ReadFileBytes(*picked);
        ReadRichText(bytes, *ui_->RichEdit1->document());
    });
}

void IntroductionTextEditor::DesignBtnClick() { DesignIntroductionScreen(project_, platform_, copy_, TextLines(), this); }

void IntroductionTextEditor::ViewBtnClick() {
    const LearnerScreenContext context{copy_, project_.ProjectDir, platform_};
    ShowIntroduction(context, TextLines(), this);
}

bool IntroductionTextEditor::OkBtnClick() {
    if (holdsText_) return true;
    const std::vector<std::string> lines = TextLines();
    return RunGuarded(platform_.messages, [&] { ReplaceIntroduction(project_.DataFilePath(), lines); });
}

bool EditIntroduction(const Project& project, Platform& platform, TTutorialConfig& record, QWidget* parent) {
    IntroductionTextEditor form(project, platform, record, parent);
    if (form.exec() != QDialog::Accepted) return false;
    CopyGroup(record, form.Record(), I::Base, I::Size);
    CopyGroup(record, form.Record(), cfg::Captions::Base, cfg::Captions::Size);
    return true;
}

bool EditIntroduction(const Project& project, Platform& platform, TTutorialConfig& record,
                      std::vector<std::string>& text, QWidget* parent) {
    IntroductionTextEditor form(project, platform, record, parent, &text);
    if (form.exec() != QDialog::Accepted) return false;
    text = form.TextLines();
    CopyGroup(record, form.Record(), I::Base, I::Size);
    CopyGroup(record, form.Record(), cfg::Captions::Base, cfg::Captions::Size);
    return true;
}

}  // namespace quill
