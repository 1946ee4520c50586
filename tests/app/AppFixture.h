#pragma once

#include "KVKApp.h"
#include "TestFiles.h"

#include <QDir>

#include <memory>
#include <string>

/** Runs a test step with the working folder set to folder, as the program is started there. */
class InFolder {
public:
    explicit InFolder(const std::string& folder) : Previous(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(folder));
    }
    ~InFolder() { QDir::setCurrent(Previous); }

private:
    QString Previous;
};

/** The program on the bundled pictures, its main window built. */
inline std::unique_ptr<KVKApp> MakeProgram() {
    auto app =
        std::make_unique<KVKApp>(KURVASK_DATA_DIR "/kvkmap.bmp", KURVASK_DATA_DIR "/splash.bmp");
    app->InitMainWindow();
    return app;
}
