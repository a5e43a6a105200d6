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

}  // namespace quill
