#pragma once
// The one check of a typed number field: the command prompts, the quiz wizard, the media
// chooser's duration and the help topic all read what was typed through it, so "12 ", "+3" and
// "$1F" mean the same in every field (the project's integer forms, ParseInt32).
#include <QString>

namespace quill {

// The messages of one number field.
struct NumberFieldTexts {
    QString maximum;  // "The maximum value is "
    QString minimum;  // "The minimum value is "
    QString missing;  // "A number must be entered"
};

inline const QString kNotANumber = QStringLiteral("That is not a valid number");

struct FieldCheck {
    bool ok = true;
    int value = 0;
    QString message;     // the message to show when !ok
    bool reset = false;  // the field goes back to the minimum (the text is not a number)
    bool empty = false;  // nothing but blanks was typed
};

// What a number field makes of `text` (blanks around it ignored). When the field loses the
// focus (onOk false) an empty field passes with the value 0; on OK (onOk true) it gives the
// `missing` message. A text that is not a whole number resets the field to the minimum; a
// number outside the limits names the limit (texts.maximum or texts.minimum and the limit).
FieldCheck CheckNumberField(const QString& text, int minimum, int maximum, bool onOk,
                            const NumberFieldTexts& texts);

}  // namespace quill
