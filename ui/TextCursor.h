#pragma once
// The caret of the text viewer and what is selected, over the lines the
// viewer shows, without a widget. A position is a line and a column in
// UTF-16 units; the moves here leave it between two characters as the user
// sees them, never inside a surrogate pair or before a combining mark. A
// move that depends on the screen (a line up or down at the same x, a click)
// is worked out by the viewer, which passes the position here.

#include <QStringList>

namespace ui {

struct TTextPosition {
    int Line = 0;
    int Column = 0;

    friend bool operator==(TTextPosition a, TTextPosition b) { return a.Line == b.Line && a.Column == b.Column; }
    friend bool operator!=(TTextPosition a, TTextPosition b) { return !(a == b); }
    friend bool operator<(TTextPosition a, TTextPosition b)
    {
        return a.Line < b.Line || (a.Line == b.Line && a.Column < b.Column);
    }
};

class TTextCursor {
public:
    enum TMove {
        mvNextChar,
        mvPreviousChar,
        mvNextWord,      // to the start of the next word, or of the next line
        mvPreviousWord,  // to the start of this word or the one before
        mvLineStart,
        mvLineEnd,
        mvDocumentStart,
        mvDocumentEnd
    };

    // Lines: the viewer's, which must outlive the cursor; after they change,
    // Reset.
    explicit TTextCursor(const QStringList &lines) : fLines(lines) {}

    // To the start, nothing selected.
    void Reset() { fCaret = fAnchor = TTextPosition(); }
    TTextPosition Caret() const { return fCaret; }
    TTextPosition Anchor() const { return fAnchor; }
    bool HasSelection() const { return fCaret != fAnchor; }
    TTextPosition SelectionStart() const { return qMin(fCaret, fAnchor); }
    TTextPosition SelectionEnd() const { return qMax(fCaret, fAnchor); }

    // Moves the caret; with Select the anchor stays where it is, so the
    // selection grows or shrinks, else nothing is selected afterwards.
    // Positions beyond the text are taken to its nearest end.
    void MoveTo(TTextPosition position, bool select);
    void Move(TMove move, bool select);
    void SelectAll();
    // The word (or the run of blanks or punctuation) at Position.
    void SelectWordAt(TTextPosition position);

    // The selected text, lines joined by "\n".
    QString SelectedText() const;
    // The selected columns From..To (To excluded) of Line, false when none
    // is. Past the line's end, the selection goes on into the next line.
    bool SelectedColumns(int line, int &from, int &to, bool &pastEnd) const;

private:
    TTextPosition Clamped(TTextPosition position) const;
    TTextPosition Moved(TMove move) const;
    TTextPosition NextWord() const;
    TTextPosition PreviousWord() const;
    int LineLength(int line) const { return line < fLines.size() ? int(fLines.at(line).size()) : 0; }
    int LastLine() const { return qMax(0, int(fLines.size()) - 1); }

    const QStringList &fLines;
    TTextPosition fCaret;
    TTextPosition fAnchor;
};

} // namespace ui
