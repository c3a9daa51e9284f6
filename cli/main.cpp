#include <iostream>

#include "cli/CliCommands.h"
#include "model/MessageText.h"

int main(int argc, char** argv) {
    // run() turns every failure of a command into a message; this catches what happens
    // around it (no memory for the arguments), so that nothing ends in an abort.
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return tavik::cli::run(args, std::cout, std::cerr);
    } catch (...) {
        try {
            std::cerr << tavik::unexpectedFailureText() << '\n';
        } catch (...) {
        }
        return 1;
    }
}
