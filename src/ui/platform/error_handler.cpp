#include "platform/error_handler.h"

#include "platform/messages.h"
#include "text/errors.h"
#include "text_codec.h"

namespace quill {

QString ErrorText(const std::exception& error) {
    if (dynamic_cast<const UserError*>(&error)) return FromCp1252(error.what());
    return QString::fromUtf8(error.what());
}

bool RunGuarded(Messages& messages, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::bad_alloc&) {
        messages.ShowError("There is not enough memory to complete the action.");
    } catch (const std::exception& error) {
        messages.ShowError(ErrorText(error));
    }
    return false;
}

}  // namespace quill
