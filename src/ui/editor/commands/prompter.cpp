#include "editor/commands/prompter.h"

namespace quill {

NumberFieldTexts NumberTexts() {
    return {"The maximum value is ", "The minimum value is ", "A number must be entered"};
}
NumberFieldTexts ColumnTexts() {
    return {"The maximum column value is ", "The minimum column value is ",
            "A column number must be entered"};
}
NumberFieldTexts RowTexts() {
    return {"The maximum row value is ", "The minimum row value is ",
            "A row number must be entered"};
}

FieldCheck CheckNumberField(const QString& text, int minimum, int maximum, bool onOk,
                            const NumberFieldTexts& texts) {
    FieldCheck check;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (onOk) {
            check.ok = false;
            check.message = texts.missing;
        }
        return check;
    }
    bool number = false;
    const int value = trimmed.toInt(&number);
    if (!number) {
        check.ok = false;
        check.message = kNotANumber;
        check.reset = true;
        return check;
    }
    check.value = value;
    if (value > maximum) {
        check.ok = false;
        check.message = texts.maximum + QString::number(maximum);
    } else if (value < minimum) {
        check.ok = false;
        check.message = texts.minimum + QString::number(minimum);
    }
    return check;
}

}  // namespace quill
