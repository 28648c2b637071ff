// Target paths from any Location, FileName and Paths text: every target is
// an absolute folder ending in "/", held once, with at least one mask.
// Input: the three texts, cut at NUL bytes; Paths lines at newlines.

#include "engine/FileCriteria.h"

#include <QSet>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = input.split(QChar(0));
    engine::TFileCriteria files;
    files.SetLocation(parts.value(0));
    files.SetFileName(parts.value(1));
    files.SetPaths(parts.value(2).split(QLatin1Char('\n')));
    files.SetSubfolders(size % 2 == 0);
    const engine::TTargetPaths &targets = files.GetTargetPaths();
    QSet<QString> seen;
    for (int i = 0; i < targets.Count(); ++i) {
        const engine::TTargetPath &t = targets[i];
        if (!t.Folder.startsWith(QLatin1Char('/')) || !t.Folder.endsWith(QLatin1Char('/'))
            || t.FileMasks().isEmpty() || seen.contains(t.Folder)) {
            std::fprintf(stderr, "bad target \"%s\"\n", t.Folder.toUtf8().constData());
            std::abort();
        }
        seen.insert(t.Folder);
    }
    return 0;
}
