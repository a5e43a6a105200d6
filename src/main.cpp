#include <QApplication>

#include "app/main_form.h"
#include "project/project.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillmark");
    quill::Project project(quill::ExecutableFolder());
    quill::TQMKmainform window(project);
    window.showMaximized();
    return QApplication::exec();
}
