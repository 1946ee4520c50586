// Kurvask: the entry point. kurvask [TURN.kvk] starts the program, opening the turn if given.
#include "KVKApp.h"
#include "TApplication.h"

#include <iostream>

int main(int argc, char** argv) {
    // Asked for help or the version, the program answers without a display.
    if (const auto status =
            KVKApp::AnswerInformation(std::vector<std::string>(argv + 1, argv + argc), std::cout))
        return *status;
    if (!TApplication::DisplayAvailable())
        return KVKApp::NoDisplay();
    TApplication application(argc, argv); // takes the toolkit's own options out of argv
    return KVKApp::Start(std::vector<std::string>(argv + 1, argv + argc),
                         [&] { return application.Run(); });
}
