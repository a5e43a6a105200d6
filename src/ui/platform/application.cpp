#include "platform/application.h"

#include <cstdio>

#include "platform/error_handler.h"
#include "platform/messages.h"

namespace quill {

QuillApplication::QuillApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Quillmark");
}

bool QuillApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (messages_)
            messages_->ShowError(ErrorText(error));
        else
            std::fprintf(stderr, "%s\n", error.what());
    }
    return false;
}

}  // namespace quill
