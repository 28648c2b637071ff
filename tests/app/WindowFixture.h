#pragma once
// The real main window, shown offscreen, started on a folder of a
// temporary tree, with the C locale's formats. Tests find its controls by
// object name and use them as a user would: clicks, keys, menu items. The
// save and print dialogs, the mount table and the volume notices are the
// test's own.

#include "TreeFixture.h"

#include "app/Application.h"
#include "app/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <ostream>
#include <stdexcept>

// Texts in failure messages as text, not as a list of code units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace testing_support {

// While it lives, the messages the application would show in a message box
// are collected in Shown instead.
class TMessageCatcher {
public:
    TMessageCatcher() : fApplication(static_cast<app::TApplication &>(*QCoreApplication::instance()))
    {
        fPrevious = fApplication.ShowException;
        fApplication.ShowException = [this](const QString &message) { Shown.append(message); };
    }
    ~TMessageCatcher() { fApplication.ShowException = fPrevious; }
    TMessageCatcher(const TMessageCatcher &) = delete;
    TMessageCatcher &operator=(const TMessageCatcher &) = delete;
    QStringList Shown;

private:
    app::TApplication &fApplication;
    std::function<void(const QString &)> fPrevious;
};

// The pixels of Area darker than Grey (0 black to 255 white): the ink of a
// caption or of a box's edge as the widgets drew them.
inline int DarkPixels(const QImage &image, const QRect &area, int grey = 100)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < grey;
    return dark;
}

class WindowFixture : public TreeFixture {
protected:
    // Settings live under the test's own folder, so no test sees another
    // test's (or the user's) stored options.
    void StartWindow(const QString &folder)
    {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Abs("config")));
        formats = explorer::TRegionalFormats::FromLocale(locale);
        app::Twnd_qv_Main::TServices services;
        if (!realSaveDialogs) {
            services.SaveDialog = [this](int &type, QString &name) {
                ++saveDialogs;
                return saveDialog && saveDialog(type, name);
            };
            services.ConfirmReplace = [this](const QString &name) {
                replaceQuestions.append(name);
                return replaceAnswer;
            };
        }
        services.PrintDialog = [this](QPrinter &printer) { return printDialog && printDialog(printer); };
        if (readMounts)
            services.ReadMounts = [this] { return readMounts(); };
        services.MonitorSources = [this] {
            devices::TZelko_DeviceMonitor::TSources sources;
            sources.Volumes = std::make_unique<TVolumeSource>(deliverVolumeNotice);
            return sources;
        };
        window = std::make_unique<app::Twnd_qv_Main>(formats, QStringList{folder}, std::move(services));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // Shortcuts reach only the active window; on a display without a
        // window manager nothing else makes it active.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        TreeFixture::TearDown();
    }

    // The control of that object name; a test whose control is missing
    // fails there.
    template <class T>
    T *Find(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            throw std::runtime_error(std::string("no control named ") + name);
        return found;
    }
    // Near the left edge, where a check box or radio button has its
    // indicator: their middle may lie beyond the caption, which a click
    // there would miss.
    void Click(const char *name)
    {
        QAbstractButton *button = Find<QAbstractButton>(name);
        const QPoint indicator(std::min(button->width() / 2, IndicatorX), button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, indicator);
    }
    // A menu item or an action, as its click runs it.
    void Choose(const char *action) { Find<QAction>(action)->trigger(); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(window.get(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }
    int Page() const { return Find<QTabWidget>("pc")->currentIndex(); }
    void ClickTab(int page)
    {
        QTabBar *tabs = Find<QTabWidget>("pc")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(page).center());
    }

    QLocale locale = QLocale::c();  // whose formats the window gets
    explorer::TRegionalFormats formats;
    std::unique_ptr<app::Twnd_qv_Main> window;
    std::function<bool(int &type, QString &name)> saveDialog;  // none: cancelled
    int saveDialogs = 0;
    QStringList replaceQuestions;  // the files asked about
    bool replaceAnswer = true;
    bool realSaveDialogs = false;  // the program's own save dialog and question
    std::function<bool(QPrinter &printer)> printDialog;  // none: cancelled
    std::function<std::vector<platform::TMountInfo>()> readMounts;  // none: the system's
    // Set once the window runs: hands a volume notice to the window's
    // device monitor, as the mount table's watch would.
    std::function<void(const devices::TDeviceNotice &)> deliverVolumeNotice;

private:
    static constexpr int IndicatorX = 8;
    class TVolumeSource : public devices::TNoticeSource {
    public:
        explicit TVolumeSource(std::function<void(const devices::TDeviceNotice &)> &deliver) : fDeliver(deliver) {}
        bool Start(std::function<void(const devices::TDeviceNotice &)> deliver) override
        {
            fDeliver = std::move(deliver);
            return true;
        }
        void Stop() override { fDeliver = nullptr; }

    private:
        std::function<void(const devices::TDeviceNotice &)> &fDeliver;
    };
};

} // namespace testing_support
