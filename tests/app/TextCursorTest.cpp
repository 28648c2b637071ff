// The text viewer's caret and selection over lines a name may fill with
// any character: moves land between characters as the user sees them.

#include "ui/TextCursor.h"

#include <gtest/gtest.h>

using ui::TTextCursor;
using ui::TTextPosition;

namespace {

TEST(TextCursorTest, CharacterMovesStepOverSurrogatePairsAndCombiningMarks)
{
    // "a", a face outside the BMP (two units), "e" with a combining acute.
    const QStringList lines{QStringLiteral("a\U0001F600e\u0301z"), QString()};
    TTextCursor cursor(lines);
    std::vector<int> columns;
    for (int i = 0; i < 5; ++i) {
        cursor.Move(TTextCursor::mvNextChar, false);
        columns.push_back(cursor.Caret().Line * 100 + cursor.Caret().Column);
    }
    EXPECT_EQ(columns, (std::vector<int>{1, 3, 5, 6, 100}));
    cursor.Move(TTextCursor::mvNextChar, false);
    EXPECT_EQ(cursor.Caret(), (TTextPosition{1, 0})) << "the end of the text stops it";
    cursor.Move(TTextCursor::mvPreviousChar, false);
    cursor.Move(TTextCursor::mvPreviousChar, true);
    EXPECT_EQ(cursor.Caret(), (TTextPosition{0, 5}));
    EXPECT_EQ(cursor.SelectedText(), QStringLiteral("z"));
}

TEST(TextCursorTest, WordMovesGoToWordStartsAndOverLineEnds)
{
    const QStringList lines{QStringLiteral("/data/my file.txt;12"), QStringLiteral("next")};
    TTextCursor cursor(lines);
    std::vector<int> starts;
    for (int i = 0; i < 7; ++i) {
        cursor.Move(TTextCursor::mvNextWord, false);
        starts.push_back(cursor.Caret().Line * 100 + cursor.Caret().Column);
    }
    EXPECT_EQ(starts, (std::vector<int>{1, 6, 9, 14, 18, 20, 100}));
    cursor.Move(TTextCursor::mvPreviousWord, false);
    EXPECT_EQ(cursor.Caret(), (TTextPosition{0, 20}));
    cursor.Move(TTextCursor::mvPreviousWord, false);
    EXPECT_EQ(cursor.Caret(), (TTextPosition{0, 18}));
}

TEST(TextCursorTest, ADoubleClickTakesTheWordAndTheSelectionSpansLines)
{
    const QStringList lines{QStringLiteral("alpha beta"), QStringLiteral("gamma"), QString()};
    TTextCursor cursor(lines);
    cursor.SelectWordAt({0, 8});
    EXPECT_EQ(cursor.SelectedText(), QStringLiteral("beta"));
    cursor.SelectWordAt({0, 10});
    EXPECT_EQ(cursor.SelectedText(), QStringLiteral("beta")) << "just after a line's last word";
    cursor.SelectWordAt({2, 0});
    EXPECT_FALSE(cursor.HasSelection()) << "an empty line has no word";

    cursor.MoveTo({0, 6}, false);
    cursor.MoveTo({2, 0}, true);
    EXPECT_EQ(cursor.SelectedText(), QStringLiteral("beta\ngamma\n"));
    int from = -1, to = -1;
    bool pastEnd = false;
    ASSERT_TRUE(cursor.SelectedColumns(1, from, to, pastEnd));
    EXPECT_EQ(std::make_tuple(from, to, pastEnd), std::make_tuple(0, 5, true));
    EXPECT_FALSE(cursor.SelectedColumns(2, from, to, pastEnd)) << "nothing of the last line";

    cursor.MoveTo({7, 99}, false);
    EXPECT_EQ(cursor.Caret(), (TTextPosition{2, 0})) << "beyond the text is its end";
}

} // namespace
