// Kurvask: the entry point.
#include "KVKApp.h"
#include "TApplication.h"

int main(int argc, char** argv) {
    if (!TApplication::DisplayAvailable())
        return KVKApp::NoDisplay();
    TApplication application(argc, argv);
    return KVKApp::Start(KVKApp::MapFile, [&] { return application.Run(); });
}
