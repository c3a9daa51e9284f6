#include <iostream>

#include "cli/CliCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavik::cli::run(args, std::cout, std::cerr);
}
