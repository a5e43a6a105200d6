#include "aids/viewport_display.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "common/aids_context.h"
#include "aids/entry_color.h"
#include "screen/text_screen.h"
#include "common/learner_screen.h"
#include "platform/platform.h"
#include "project/project.h"
#include "richtext/rtf_reader.h"
#include "text/cp1252.h"
#include "project/project_path.h"
#include "project/tutorial_folder.h"
#include "text_codec.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr int kPanelHeight = 20;

// A left click on the screen closes the window.
class ClickCloses : public QObject {
public:
    explicit ClickCloses(QDialog* owner) : QObject(owner), owner_(owner) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            owner_->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog* owner_;
};

QLabel* Panel(QWidget* parent, const char* name, const QString& text, int y) {
    auto* panel = new QLabel(text, parent);
    panel->setObjectName(name);
    panel->setGeometry(0, y, kDesignWidth, kPanelHeight);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

}  // namespace

ViewportBackground MakeViewportBackground(const AidsContext& context, const TScreenBackground& settings) {
    ViewportBackground out =
        LoadBackgroundPicture(TutorialFolder(context.project.ProjectDir), settings.ScreenType, settings.ScreenColor,
                              settings.GraphicFile, settings.WallpaperFile);
    // This window words the refusal of a .JPG wallpaper its own way.
    if (out.problem == PictureProblem::JpgWallpaper)
        out.message = "*Wallpaper must be a .BMP file.\r\n\r\nReplace " + FromCp1252(settings.WallpaperFile) +
                      " with a .BMP Graphic.";
    return out;
}

ViewportDisplay::ViewportDisplay(AidsContext& context, const QString& name, const TScreenBackground& settings,
                               const std::vector<std::string>& text, QWidget* parent)
    : QDialog(parent), context_(context), background_(MakeViewportBackground(context, settings)) {
    setObjectName("TTxtVPDispForm");
    setWindowTitle(FromCp1252(context_.project.ProgramTitle));
    if (!background_.message.isEmpty()) context_.platform.messages.ShowError(background_.message);

    auto* menu = new QMenuBar(this);
    menu->setObjectName("MainMenu1");
    QAction* close = menu->addAction("&Close");
    close->setObjectName("CloseItem");
    connect(close, &QAction::triggered, this, &QDialog::accept);
    QAction* help = menu->addAction("&Help");
    help->setObjectName("HelpItem");
    connect(help, &QAction::triggered, this, [this] {
        const std::string helpFile = context_.project.Config.get(cfg::Program::HelpFile);
        if (helpFile.empty()) {
            context_.platform.ShowHelp(0);
            return;
        }
        const ProjectPath help = ResolveInProject(context_.project.ProjectDir, helpFile);
        if (!help.inside)
            return context_.platform.messages.ShowError(FromCp1252("The help file " + helpFile +
                                                                   " is outside the tutorial folder."));
        context_.platform.help.ShowTopic(help.path, context_.project.Config.get(cfg::Program::HelpTopic));
    });
    QAction* about = menu->addAction("&About");
    about->setObjectName("AboutItem");
    connect(about, &QAction::triggered, this, [this] {
        context_.platform.messages.ShowInfo(FromCp1252(context_.project.ProgramTitle));
    });

    QWidget* screen = NewBackgroundWidget(background_, this);
    screen->setFixedSize(kDesignSize);
    screen->installEventFilter(new ClickCloses(this));
    Panel(screen, "TitlePnl", name, 0);
    Panel(screen, "StatusPnl", QString(), kDesignHeight - kPanelHeight);

    RichEdit1_ = new QTextBrowser(screen);
    RichEdit1_->setObjectName("RichEdit1");
    RichEdit1_->setOpenLinks(false);
    RichEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = RichEdit1_->palette();
    pal.setColor(QPalette::Base, ColourFromRecord(settings.WindowColor));
    RichEdit1_->setPalette(pal);
    auto doc = RichTextDocument(WithoutClosingLine(text));
    doc->setParent(RichEdit1_);
    RichEdit1_->setDocument(doc.release());
    if (settings.TextWindowOff) {
        RichEdit1_->setGeometry(0, kPanelHeight, kDesignWidth, kDesignHeight - 2 * kPanelHeight);
    } else {
        const QRect area(QPoint(0, 0), kDesignSize);
        QRect r(settings.WindowLeft, settings.WindowTop, std::max(settings.WindowWidth, 20),
                std::max(settings.WindowHeight, 20));
        r = r.intersected(area);
        if (r.isEmpty()) r = QRect(0, kPanelHeight, kDesignWidth, kDesignHeight - 2 * kPanelHeight);
        RichEdit1_->setGeometry(r);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(screen);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void ViewportDisplay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quill
