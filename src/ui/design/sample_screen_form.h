#pragma once
// TSampleScreenForm: a sample chapter screen with the tutorial presentation's choices applied:
// the title "This is a Sample Title" in the screen title font and colours, lines of regular,
// bold, italic and bold italic text and a hypertext link in the screen colours, and the control
// bar with its five buttons. Any of its buttons, Escape or a click closes it.
#include <QDialog>

#include "project/config_record.h"

namespace quill {

class TSampleScreenForm : public QDialog {
    Q_OBJECT
public:
    explicit TSampleScreenForm(const TTutorialConfig& record, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace quill
