// The window tests run inside the program's own application object, on the
// real widgets, with the offscreen platform.

#include "app/Application.h"
#include "engine/CharTables.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    app::TApplication application(argc, argv);
    engine::InitCharTables();
    return RUN_ALL_TESTS();
}
