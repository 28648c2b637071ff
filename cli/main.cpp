#include "cli/ListCommand.h"
#include "engine/CharTables.h"

int main(int argc, char **argv)
{
    engine::InitCharTables();
    return cli::RunTamarelList(argc, argv);
}
