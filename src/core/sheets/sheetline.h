#pragma once

#include "core/generator/exercise.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Which answers make a line of a sheet true. Most lines have exactly one, but a product with a
// factor 0 is 0 whatever the other factor, and 0 divided by any number but 0 is 0: a key that
// gave one of those numbers would have a teacher mark every other one wrong.
enum class AnswerSpan { One, AnyNumber, AnyNonZero };
AnswerSpan AnswersOf(const Exercise &exercise);

// One line of a sheet or of its answer key, in three pieces: the middle one is the hidden
// number. On a sheet it is the blank, as many spaces as the number has characters plus one,
// drawn as an underline; on a key it is the number, or the mark of a line with many answers
// (sheet::AnswerMark), printed in bold. A line that could not be drawn is empty.
struct SheetLineParts
{
    QString before;
    QString hidden;
    QString after;
    bool blank = false;

    QString text() const { return before + hidden + after; }
};
SheetLineParts SheetLine(const std::optional<Exercise> &exercise, bool key);

using SheetExercises = QList<std::optional<Exercise>>;

namespace sheet {

// The key's mark in place of the number where many answers are right, and the footnote that
// explains it; both empty for a line with one answer.
QString AnswerMark(AnswerSpan span);
QString AnswerFootnote(AnswerSpan span);
// The footnotes that a key page of these lines needs, each once, in the order of their marks.
QStringList KeyFootnotes(const SheetExercises &lines);

} // namespace sheet
