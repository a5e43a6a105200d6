#pragma once
#include <stdexcept>
#include <string>

namespace quill {

// An input/output failure on a named file. The message names the file and says what went
// wrong; windows show it in an error box, quillc prints it with "ERROR: ".
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bytes that do not fit the layout they are read as (a record cut short, a field out of range).
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quill

namespace quill {

// A refusal the author can mend, with the exact text the program shows in its error box.
class UserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quill
