// The window tests run inside the program's own application object, on the
// real widgets, with the offscreen platform.

#include "app/Application.h"
#include "engine/CharTables.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // No display, no GPU, and (as root in CI) no sandbox for the browser
    // engine of the HTML view.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    app::TApplication::PrepareBrowserEngine();
    app::TApplication application(argc, argv);
    engine::InitCharTables();
    return RUN_ALL_TESTS();
}
