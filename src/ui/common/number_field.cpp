#include "common/number_field.h"

#include "project/file_names.h"
#include "text_codec.h"

namespace quill {

FieldCheck CheckNumberField(const QString& text, int minimum, int maximum, bool onOk,
                            const NumberFieldTexts& texts) {
    FieldCheck check;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        check.empty = true;
        if (onOk) {
            check.ok = false;
            check.message = texts.missing;
        }
        return check;
    }
    const auto value = ParseInt32(ToCp1252(trimmed));
    if (!value) {
        check.ok = false;
        check.message = kNotANumber;
        check.reset = true;
        return check;
    }
    check.value = *value;
    if (*value > maximum) {
        check.ok = false;
        check.message = texts.maximum + QString::number(maximum);
    } else if (*value < minimum) {
        check.ok = false;
        check.message = texts.minimum + QString::number(minimum);
    }
    return check;
}

}  // namespace quill
