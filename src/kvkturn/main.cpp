// kvkturn: reads, reports on and checks a turn's files from the command line.
#include "TurnCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    return TurnCommand::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
