#include "common/tutorial_about_box.h"
#include "project/tutorial_folder.h"
#include "screen/background_picture.h"

#include <QIcon>
#include <QPushButton>
#include <QShortcut>

#include "platform/platform.h"
#include "text/file_lookup.h"
#include "text_codec.h"
#include "ui_tutorial_about_box.h"

namespace quill {

namespace fs = std::filesystem;

std::string AboutCommentBlock(const std::string& c1, const std::string& c2, const std::string& c3,
                              const std::string& c4) {
    std::string block;
    for (const std::string* c : {&c1, &c2, &c3, &c4}) block += c->empty() ? std::string("\r\n\r\n") : *c + " ";
    return block;
}

TutorialAboutBox::TutorialAboutBox(const LearnerScreenContext& context, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TutorialAboutBox>()) {
    ui_->setupUi(this);
    const TTutorialConfig& c = context.config;
    setWindowTitle(FromCp1252(c.get(cfg::About::BoxTitle)));
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setText("OK");
    ui_->ButtonBox->button(QDialogButtonBox::Ok)->setObjectName("OKButton");
    connect(ui_->ButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // F1 opens the tutorial's help, as the Help items of the learner's other windows do.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName("F1Help");
    connect(f1, &QShortcut::activated, this, [context] { ShowTutorialHelp(context); });
    ui_->ProductName->setText(FromCp1252(c.get(cfg::About::ProgramName)));
    ui_->Version->setText(FromCp1252(c.get(cfg::About::VersionText)));
    ui_->Copyright->setText(FromCp1252(c.get(cfg::About::AuthorLine)));
    // The label shows CR LF as one line break.
    QString comments = FromCp1252(AboutCommentBlock(c.get(cfg::About::Comment1), c.get(cfg::About::Comment2),
                                                    c.get(cfg::About::Comment3), c.get(cfg::About::Comment4)));
    comments.replace("\r\n", "\n");
    ui_->Comments->setText(comments);

    const std::string icon = c.get(cfg::About::IconFile);
    if (c.get(cfg::About::UseIcon) && !icon.empty()) {
        const FolderPicture picture = ReadFolderPicture(TutorialFolder(context.projectDir), icon);
        if (picture.problem == PictureProblem::Missing) {
            context.platform.messages.ShowError(FromCp1252("The Icon file " + icon + " is missing"));
        } else if (!picture.image.isNull()) {
            // A file that does not decode shows no icon, without a message.
            ui_->ProgramIcon->setPixmap(
                QPixmap::fromImage(picture.image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            hasIcon_ = true;
        }
    }
    ui_->ProgramIcon->setVisible(hasIcon_);
    // The texts take the room the icon column gives them; without an icon there is no column.
    ui_->gridLayout->setColumnStretch(1, 1);
    if (!hasIcon_) {
        ui_->gridLayout->removeWidget(ui_->ProgramIcon);
        int row = 0;
        for (QLabel* label : {ui_->ProductName, ui_->Version, ui_->Copyright}) {
            ui_->gridLayout->removeWidget(label);
            ui_->gridLayout->addWidget(label, row++, 0, 1, 2);
        }
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TutorialAboutBox::~TutorialAboutBox() = default;

void TutorialAboutBox::SetScale(const ScreenScale& scale) {
    ScaleLaidOutWidgets(this, scale);
    adjustSize();
}

void ShowAboutBox(const LearnerScreenContext& context, QWidget* parent, const ScreenScale& scale) {
    TutorialAboutBox box(context, parent);
    box.SetScale(scale);
    box.exec();
}

}  // namespace quill
