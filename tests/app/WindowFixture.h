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
    void StartWindow(const QString &folder)
    {
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
