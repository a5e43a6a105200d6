#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
    quillc::Args args(argv + 1, argv + argc);
    return quillc::Run(args, quillc::Io{std::cin, std::cout, std::cerr});
}
