#include "ui/TextCursor.h"

#include <QTextBoundaryFinder>

namespace ui {

namespace {

// The next or previous place where the user sees a new character begin.
int GraphemeStep(const QString &line, int column, bool forward)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    finder.setPosition(column);
    const qsizetype next = forward ? finder.toNextBoundary() : finder.toPreviousBoundary();
    return next < 0 ? column : int(next);
}

} // namespace

TTextPosition TTextCursor::Clamped(TTextPosition position) const
{
    position.Line = qBound(0, position.Line, LastLine());
    position.Column = qBound(0, position.Column, LineLength(position.Line));
    return position;
}

void TTextCursor::MoveTo(TTextPosition position, bool select)
{
    fCaret = Clamped(position);
    if (!select)
        fAnchor = fCaret;
}

void TTextCursor::Move(TMove move, bool select)
{
    MoveTo(Moved(move), select);
}

TTextPosition TTextCursor::Moved(TMove move) const
{
    const TTextPosition at = fCaret;
    const int length = LineLength(at.Line);
    switch (move) {
    case mvNextChar:
        if (at.Column < length)
            return {at.Line, GraphemeStep(fLines.at(at.Line), at.Column, true)};
        return at.Line < LastLine() ? TTextPosition{at.Line + 1, 0} : at;
    case mvPreviousChar:
        if (at.Column > 0)
            return {at.Line, GraphemeStep(fLines.at(at.Line), at.Column, false)};
        return at.Line > 0 ? TTextPosition{at.Line - 1, LineLength(at.Line - 1)} : at;
    case mvNextWord: return NextWord();
    case mvPreviousWord: return PreviousWord();
    case mvLineStart: return {at.Line, 0};
    case mvLineEnd: return {at.Line, length};
    case mvDocumentStart: return {};
    case mvDocumentEnd: return {LastLine(), LineLength(LastLine())};
    }
    return at;
}

TTextPosition TTextCursor::NextWord() const
{
    const TTextPosition at = fCaret;
    const int length = LineLength(at.Line);
    if (at.Column >= length)
        return at.Line < LastLine() ? TTextPosition{at.Line + 1, 0} : at;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, fLines.at(at.Line));
    finder.setPosition(at.Column);
    qsizetype next;
    do
        next = finder.toNextBoundary();
    while (next >= 0 && next < length && !(finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem));
    return {at.Line, next < 0 ? length : int(next)};
}

TTextPosition TTextCursor::PreviousWord() const
{
    const TTextPosition at = fCaret;
    if (at.Column == 0)
        return at.Line > 0 ? TTextPosition{at.Line - 1, LineLength(at.Line - 1)} : at;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, fLines.at(at.Line));
    finder.setPosition(at.Column);
    qsizetype previous;
    do
        previous = finder.toPreviousBoundary();
    while (previous > 0 && !(finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem));
    return {at.Line, previous < 0 ? 0 : int(previous)};
}

void TTextCursor::SelectAll()
{
    fAnchor = TTextPosition();
    fCaret = Moved(mvDocumentEnd);
}

void TTextCursor::SelectWordAt(TTextPosition position)
{
    position = Clamped(position);
    const int length = LineLength(position.Line);
    if (length == 0) {
        MoveTo(position, false);
        return;
    }
    // A click right after the last character takes the word it ends.
    const int inside = qMin(position.Column, length - 1);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, fLines.at(position.Line));
    finder.setPosition(inside + 1);
    const int end = finder.isAtBoundary() ? inside + 1 : int(finder.toNextBoundary());
    finder.setPosition(inside);
    const int start = finder.isAtBoundary() ? inside : int(finder.toPreviousBoundary());
    fAnchor = {position.Line, qMax(0, start)};
    fCaret = {position.Line, end < 0 ? length : end};
}

QString TTextCursor::SelectedText() const
{
    const TTextPosition start = SelectionStart(), end = SelectionEnd();
    if (start.Line == end.Line)
        return fLines.value(start.Line).mid(start.Column, end.Column - start.Column);
    qsizetype size = 0;
    for (int line = start.Line; line <= end.Line; ++line)
        size += fLines.at(line).size() + 1;
    QString text;
    text.reserve(size);
    text += QStringView(fLines.at(start.Line)).mid(start.Column);
    for (int line = start.Line + 1; line < end.Line; ++line) {
        text += QLatin1Char('\n');
        text += fLines.at(line);
    }
    text += QLatin1Char('\n');
    text += QStringView(fLines.at(end.Line)).left(end.Column);
    return text;
}

bool TTextCursor::SelectedColumns(int line, int &from, int &to, bool &pastEnd) const
{
    const TTextPosition start = SelectionStart(), end = SelectionEnd();
    if (start == end || line < start.Line || line > end.Line)
        return false;
    from = line == start.Line ? start.Column : 0;
    to = line == end.Line ? end.Column : LineLength(line);
    pastEnd = line < end.Line;
    return from < to || pastEnd;
}

} // namespace ui
