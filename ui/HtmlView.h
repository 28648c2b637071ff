#pragma once
// The embedded HTML view: a browser engine with scripts off, no context
// menu, no drops and no dialog boxes of its own. Present only when the
// program was built with Qt WebEngine.

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

namespace ui {

class THtmlView : public QWidget {
    Q_OBJECT
public:
    // Null when the program was built without the browser engine.
    static THtmlView *Create(QWidget *parent);
    static bool Available();
    ~THtmlView() override;

    // Shows the page made of the lines. It is handed over as a file, which
    // the engine reads whatever its size (text handed over directly is
    // limited to 2 MB).
    void ShowReport(const QStringList &lines);
    // The file of the page shown last.
    QString ShownFile() const { return fShownFile; }

private:
    explicit THtmlView(QWidget *parent);
    QWidget *fEngine = nullptr;
    QTemporaryDir fFolder;
    QString fShownFile;
    int fPageNumber = 0;
};

} // namespace ui
