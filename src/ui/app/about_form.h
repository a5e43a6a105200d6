#pragma once
// TAboutForm: the program's about box.
#include <QDialog>

namespace quill {

struct Platform;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(Platform& platform, QWidget* parent = nullptr);
};

}  // namespace quill
