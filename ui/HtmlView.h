#pragma once
// The embedded HTML view: a browser engine with scripts off, no context
// menu, no drops and no dialog boxes of its own. Present only when the
// program was built with Qt WebEngine.

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

class QUrl;

namespace ui {

class THtmlView : public QWidget {
    Q_OBJECT
public:
    // Null when the program was built without the browser engine.
    static THtmlView *Create(QWidget *parent);
    static bool Available();
    ~THtmlView() override;

    // The most table cells a page given to the view should hold. The
    // engine keeps some 30 KB for each row of a report's table (measured
    // with four cells a row): 200,000 rows took it past 4.5 GB and past
    // the number of memory mappings Linux allows a process by default, and
    // it stopped without showing anything. 40,000 cells cost about 450 MB
    // and a second and a half.
    static constexpr qsizetype MaxCells = 40000;

    // Shows the page made of the lines. It is handed over as a file, which
    // the engine reads whatever its size (text handed over directly is
    // limited to 2 MB). False, with the reason, when the file could not be
    // written; the view then shows nothing.
    bool ShowReport(const QStringList &lines, QString &error);
    // The file of the page shown last.
    QString ShownFile() const { return fShownFile; }

signals:
    // The engine's process for the page has ended before its time (out of
    // memory, or killed): the view shows nothing until the next page.
    void Stopped();

private:
    explicit THtmlView(QWidget *parent);
    void Load(const QUrl &address);
    QWidget *fEngine = nullptr;
    QTemporaryDir fFolder;
    QString fShownFile;
    int fPageNumber = 0;
};

} // namespace ui
