// The tests run inside a Qt application, as the engine does in the program:
// threaded searches finish through its event loop. Like the program's
// application object, it shows (here: records) an exception that escapes an
// event handler and goes on.

#include "TestApplication.h"

#include "engine/CharTables.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::TestApplication app(argc, argv);
    engine::InitCharTables();
    return RUN_ALL_TESTS();
}
