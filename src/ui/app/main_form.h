#pragma once
// TQMKmainform: the program's main window.
#include <QMainWindow>

#include "project/project.h"

class QLabel;

namespace quill {

class TQMKmainform : public QMainWindow {
    Q_OBJECT
public:
    explicit TQMKmainform(Project& project, QWidget* parent = nullptr);

    // Shows the open project's name (or "None Selected") in the status line.
    void UpdateProjectLabel();

private:
    Project& project_;
    QLabel* ProjectLbl_ = nullptr;
};

}  // namespace quill
