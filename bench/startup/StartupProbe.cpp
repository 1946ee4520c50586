// The program's start-up, timed: runs exactly what kurvask runs (splash, map window, frame,
// the turn of the command line, shown maximized) and ends as soon as the frame is first on
// the screen, maximized (see FirstFrameProbe). Run by bench/startup.sh.
#include "FirstFrameProbe.h"
#include "KVKApp.h"
#include "TApplication.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    FirstFrameProbe probe;
    return KVKApp::Start(std::vector<std::string>(argv + 1, argv + argc),
                         [&] { return application.Run(); });
}
