#include "app/about_form.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/platform.h"

namespace quill {

TAboutForm::TAboutForm(Platform& platform, QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutForm");
    setWindowTitle("About Quillmark");
    SetHelpTopic(this, 80);
    InstallF1Help(this, platform.help, platform.helpFile);

    auto* product = new QLabel("Quillmark for Windows", this);
    product->setObjectName("ProductName");
    product->setStyleSheet("font-size: 16pt; font-weight: bold; color: #006060;");
    auto* version = new QLabel("Version 1.9 for Linux", this);
    version->setObjectName("Version");
    auto* description = new QLabel(
        "An authoring tool for computer-based tutorials.\n\n"
        "Create a tutorial project, write its chapters in the chapter editor, keep its "
        "hypertext, programs, window texts and notes in the tutorial data file, design how "
        "it looks, preview any chapter, and compile it for the Quilplay runtime player.",
        this);
    description->setObjectName("Comments");
    description->setWordWrap(true);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(description);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedWidth(380);
}

}  // namespace quill
