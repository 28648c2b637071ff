#pragma once
// The real main window, shown offscreen, started on a folder of a
// temporary tree, with the C locale's formats.

#include "TreeFixture.h"

#include "app/MainWindow.h"

#include <QTest>
#include <memory>

namespace testing_support {

class WindowFixture : public TreeFixture {
protected:
    // Settings live under the test's own folder, so no test sees another
    // test's (or the user's) stored options.
    void StartWindow(const QString &folder)
    {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Abs("config")));
        formats = explorer::TRegionalFormats::FromLocale(QLocale::c());
        window = std::make_unique<app::Twnd_qv_Main>(formats, QStringList{folder});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        TreeFixture::TearDown();
    }

    explorer::TRegionalFormats formats;
    std::unique_ptr<app::Twnd_qv_Main> window;
};

} // namespace testing_support
