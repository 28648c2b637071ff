// The window tests run inside the program's own application object, on the
// real widgets: on Qt's offscreen platform unless QT_QPA_PLATFORM names
// another (the suite also runs on a virtual X display, where the browser
// view draws through OpenGL as it does on a desktop).

#include "app/Application.h"
#include "engine/CharTables.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Offscreen there is no GPU for the browser engine, and (as root in CI)
    // no sandbox.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    }
    // As the program does: a test may save under a file-size limit.
    app::TApplication::IgnoreFileSizeSignal();
    app::TApplication::PrepareBrowserEngine();
    app::TApplication application(argc, argv);
    engine::InitCharTables();
    return RUN_ALL_TESTS();
}
