#include "common/introduction_dialog.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "common/introduction_screen.h"
#include <QTextBrowser>
#include "text_codec.h"

namespace quill {

IntroductionDialog::IntroductionDialog(const LearnerScreenContext& context, const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("TIntDispForm");
    setWindowTitle(FromCp1252(context.config.get(cfg::Program::ProgramTitle)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (QMenuBar* menu = NewIntroMenuBar(context_, this, [this] { accept(); }, [this] { return scale_; }))
        layout->setMenuBar(menu);
    screen_ = new IntroductionScreen(context, text, this);
    layout->addWidget(screen_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Centre();
}

void IntroductionDialog::Centre() {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void IntroductionDialog::SetScale(const ScreenScale& scale) {
    scale_ = scale;
    ScaleScreenWidgets(screen_, scale);
    ScaleDocumentFonts(*screen_->TextWindow()->document(), scale);
    Centre();
}

void ShowIntroduction(const LearnerScreenContext& context, const std::vector<std::string>& text, QWidget* parent,
                      ScaleMode scale) {
    IntroductionDialog form(context, text, parent);
    form.SetScale(LearnerWindowScale(scale, parent, form.size() - form.Screen()->size()));
    form.exec();
}

}  // namespace quill
