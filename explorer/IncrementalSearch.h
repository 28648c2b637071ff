#pragma once
// Finding a row by typing the start of its name, as both tables do: letters
// typed in quick succession add up, a pause starts a new search.

#include <QElapsedTimer>
#include <QString>
#include <functional>

namespace explorer {

// The compare: the first min(|typed|, |name|) units with only a-z folded to
// upper case; 0 when they agree, else the difference of the first units
// that differ. So "DOC" finds "documents.txt", a name shorter than the typed
// text but equal to its start matches too, and "é" never finds "É".
int IncrementalSearchCompare(const QString &typed, const QString &name);

class TIncrementalSearch {
public:
    // IntervalMs: the longest pause between two keys of one search.
    explicit TIncrementalSearch(int intervalMs = DefaultInterval) : fInterval(intervalMs) {}
    static constexpr int DefaultInterval = 400;
    void SetInterval(int intervalMs) { fInterval = intervalMs; }

    // Adds Typed to the search and returns the first matching row, going
    // round from the focused row (-1: none), or -1 when no row matches. A
    // search's first letter starts with the row after the focused one, so
    // typing it again steps through the rows with that letter; further
    // letters refine the match from the focused row itself.
    int Find(const QString &typed, int focusedRow, int rowCount,
             const std::function<const QString &(int row)> &nameOf);

private:
    int fInterval;
    QString fTyped;
    QElapsedTimer fSinceTyped;
};

} // namespace explorer
