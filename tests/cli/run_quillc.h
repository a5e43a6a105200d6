#pragma once
// Runs quillc in-process with the given standard input and captures what it prints.
#include <sstream>
#include <string>

#include "cli.h"
#include "../qstring_printer.h"

namespace quill::test {

struct QuillcResult {
    int status;
    std::string out, err;
};

inline QuillcResult RunQuillc(const quillc::Args& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = quillc::Run(args, quillc::Io{in, out, err});
    return {status, out.str(), err.str()};
}

}  // namespace quill::test
