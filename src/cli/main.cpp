// krel-encyclopedia: the encyclopedia store on the command line.
#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    return krel::cli::RunCli({argv + 1, argv + argc}, std::cout, std::cerr);
}
