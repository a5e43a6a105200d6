#pragma once
// The desktop program's application object. Besides the actions of the windows, which catch
// their own errors (RunGuarded), any exception that escapes an event handler is caught here
// and shown in an error box, so that the program carries on instead of ending.
#include <QApplication>

namespace quill {

class Messages;

class QuillApplication : public QApplication {
public:
    QuillApplication(int& argc, char** argv);
    void SetMessages(Messages* messages) { messages_ = messages; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Messages* messages_ = nullptr;
};

}  // namespace quill
