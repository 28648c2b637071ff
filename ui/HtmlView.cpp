#include "ui/HtmlView.h"

#include <QFile>
#include <QVBoxLayout>

#ifdef TAMAREL_WITH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

namespace ui {

#ifdef TAMAREL_WITH_WEBENGINE
namespace {

// A page that never opens a dialog box or a window of its own.
class TQuietPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override
    {
        return false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
};

} // namespace
#endif

bool THtmlView::Available()
{
#ifdef TAMAREL_WITH_WEBENGINE
    return true;
#else
    return false;
#endif
}

THtmlView *THtmlView::Create(QWidget *parent)
{
    return Available() ? new THtmlView(parent) : nullptr;
}

THtmlView::THtmlView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef TAMAREL_WITH_WEBENGINE
    auto *view = new QWebEngineView(this);
    auto *page = new TQuietPage(view);
    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setDefaultTextEncoding(QStringLiteral("utf-8"));
    view->setPage(page);
    // The view draws through OpenGL where the display has it, and its
    // drawing surface comes into being with the page's first load. Were
    // that the first report, the window around it would have to be made
    // anew as an OpenGL window: a new native window, which loses its
    // maximised state and the keyboard. Loading an empty page now makes the
    // surface exist before the window is first shown, so the window is made
    // right once.
    page->setUrl(QUrl(QStringLiteral("about:blank")));
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    emit Stopped();
            });
    view->setContextMenuPolicy(Qt::NoContextMenu);
    view->setAcceptDrops(false);
    layout->addWidget(view);
    fEngine = view;
#endif
    setAcceptDrops(false);
}

THtmlView::~THtmlView() = default;

bool THtmlView::ShowReport(const QStringList &lines, QString &error)
{
    // A new name for each page, so that the engine never shows a cached one.
    const QString previous = fShownFile;
    fShownFile = fFolder.filePath(QStringLiteral("report-%1.html").arg(++fPageNumber));
    if (!previous.isEmpty())
        QFile::remove(previous);
    QFile file(fShownFile);
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8();
    bool written = fFolder.isValid() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                   file.flush();
    // Closing clears the error of a write that failed before it.
    error = fFolder.isValid() ? file.errorString() : fFolder.errorString();
    file.close();
    if (written && file.error() != QFileDevice::NoError) {
        written = false;
        error = file.errorString();
    }
    if (!written) {
        file.remove();
        Load(QUrl(QStringLiteral("about:blank")));
        return false;
    }
    Load(QUrl::fromLocalFile(fShownFile));
    return true;
}

void THtmlView::Load(const QUrl &address)
{
#ifdef TAMAREL_WITH_WEBENGINE
    static_cast<QWebEngineView *>(fEngine)->load(address);
#else
    Q_UNUSED(address);
#endif
}

} // namespace ui
