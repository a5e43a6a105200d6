#include "common/learner_screen.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include "platform/platform.h"
#include "project/font_spec.h"
#include "project/project_path.h"
#include "screen/text_screen.h"
#include "text/cp1252.h"
#include "text/file_lookup.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

void ShowTutorialHelp(const LearnerScreenContext& context) {
    const TTutorialConfig& c = context.config;
    ShowTutorialHelpFile(context.platform, context.projectDir,
                         c.get(cfg::Program::HelpOn) ? c.get(cfg::Program::HelpFile) : std::string(),
                         c.get(cfg::Program::HelpTopic));
}

void ShowTutorialHelpFile(Platform& platform, const fs::path& projectDir, const std::string& file, int topic) {
    if (file.empty()) {
        platform.messages.ShowInfo("This tutorial has no help.");
        return;
    }
    const ProjectPath help = ResolveInProject(projectDir, file);
    if (!help.inside) {
        platform.messages.ShowError("The help file " + FromCp1252(file) + " is outside the tutorial folder.");
        return;
    }
    platform.help.ShowTopic(help.path, topic);
}

std::uint32_t RecordColour(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

std::string SpecTextFromFont(const QFont& font, const QColor& colour) {
    FontSpec spec;
    spec.size = font.pointSize() > 0 ? font.pointSize() : 10;
    spec.color = RecordColour(colour);
    spec.style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                 (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
    spec.name = ToCp1252(font.family());
    return FontToSpec(spec);
}

namespace {

class BackgroundWidget : public QWidget {
public:
    BackgroundWidget(const BackgroundPicture& background, QWidget* parent)
        : QWidget(parent), background_(background) {
        setObjectName("ScreenArea");
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        PaintBackgroundPicture(painter, rect(), background_);
    }

private:
    BackgroundPicture background_;
};

}  // namespace

void FillColour(QWidget* w, const QColor& colour, QPalette::ColorRole role) {
    QPalette pal = w->palette();
    pal.setColor(role, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QLabel* NewScreenBar(QWidget* parent, const char* name, const std::string& text, const std::string& fontSpec,
                     std::uint32_t background, QRect geometry) {
    auto* bar = new QLabel(FromCp1252(text), parent);
    bar->setObjectName(name);
    QColor textColour;
    bar->setFont(FontOfRecordText(fontSpec, &textColour));
    FillColour(bar, ColourFromRecord(background));
    QPalette pal = bar->palette();
    pal.setColor(QPalette::WindowText, textColour);
    bar->setPalette(pal);
    bar->setAlignment(Qt::AlignCenter);
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Raised);
    bar->setGeometry(geometry);
    return bar;
}

QWidget* NewBackgroundWidget(const BackgroundPicture& background, QWidget* parent) {
    return new BackgroundWidget(background, parent);
}

}  // namespace quill
