// krel-encyclopedia: the encyclopedia store on the command line.
#include "cli/Cli.h"
#include "common/Platform.h"

#include <iostream>

int main(int argc, char** argv) {
    krel::ReserveStandardStreams();
    krel::PinLocalTimeZone();
    return krel::cli::RunCli({argv + 1, argv + argc}, std::cout, std::cerr);
}
