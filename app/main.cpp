#include "app/Application.h"
#include "app/MainWindow.h"
#include "engine/CharTables.h"
#include "explorer/RegionalFormats.h"
#include "platform/NameCodec.h"

#include <cstring>

int main(int argc, char **argv)
{
    // The regional formats come first and are kept for the whole run.
    const explorer::TRegionalFormats formats = explorer::TRegionalFormats::FromSystem();
    engine::InitCharTables();
    app::TApplication::IgnoreFileSizeSignal();
    app::TApplication::PrepareBrowserEngine();
    app::TApplication application(argc, argv);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(platform::DecodeFileName(argv[i], std::strlen(argv[i])));
    app::Twnd_qv_Main window(formats, arguments);
    window.show();
    return application.exec();
}
