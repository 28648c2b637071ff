#pragma once
// The real window for the benchmarks: offscreen, C-locale formats, started
// on a folder.

#include "app/Application.h"
#include "app/MainWindow.h"
#include "engine/CharTables.h"

#include <QCoreApplication>
#include <memory>

struct TOffscreenWindow {
    TOffscreenWindow(int &argc, char **argv, const QString &folder)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        app::TApplication::PrepareBrowserEngine();
        engine::InitCharTables();
        Application = std::make_unique<app::TApplication>(argc, argv);
        Window = std::make_unique<app::Twnd_qv_Main>(Formats, QStringList{folder});
        Window->show();
        QCoreApplication::processEvents();
    }
    explorer::TRegionalFormats Formats = explorer::TRegionalFormats::FromLocale(QLocale::c());
    std::unique_ptr<app::TApplication> Application;
    std::unique_ptr<app::Twnd_qv_Main> Window;
};
