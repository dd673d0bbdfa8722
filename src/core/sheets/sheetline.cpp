#include "core/sheets/sheetline.h"

#include "core/generator/generator.h"

AnswerSpan AnswersOf(const Exercise &exercise)
{
    if (exercise.result != 0)
        return AnswerSpan::One;
    switch (exercise.operation) {
    case Operation::Krat:
        if ((exercise.hidden == UnknownSlot::First && exercise.second == 0)
            || (exercise.hidden == UnknownSlot::Second && exercise.first == 0))
            return AnswerSpan::AnyNumber;
        break;
    case Operation::Del:
        // ___ : Y = 0 still has the one answer 0, and a zero divisor never reaches a sheet
        if (exercise.hidden == UnknownSlot::Second && exercise.first == 0)
            return AnswerSpan::AnyNonZero;
        break;
    case Operation::Plus:
    case Operation::Minus:
        break;
    }
    return AnswerSpan::One;
}

SheetLineParts SheetLine(const std::optional<Exercise> &exercise, bool key)
{
    if (!exercise)
        return {};
    const Exercise &e = *exercise;
    const QString sign = u' ' + OperationSign(e.operation) + u' ';
    const QString first = QString::number(e.first);
    const QString second = QString::number(e.second);
    const QString result = QString::number(e.result);
    SheetLineParts parts;
    switch (e.hidden) {
    case UnknownSlot::First:
        parts = {{}, first, sign + second + QStringLiteral(" = ") + result};
        break;
    case UnknownSlot::Second:
        parts = {first + sign, second, QStringLiteral(" = ") + result};
        break;
    case UnknownSlot::Result:
    default:
        parts = {first + sign + second + QStringLiteral(" = "), result, {}};
        break;
    }
    if (key) {
        if (const QString mark = sheet::AnswerMark(AnswersOf(e)); !mark.isEmpty())
            parts.hidden = mark;
    } else {
        parts.hidden = QString(parts.hidden.size() + 1, u' ');
        parts.blank = true;
    }
    return parts;
}

QString sheet::AnswerMark(AnswerSpan span)
{
    switch (span) {
    case AnswerSpan::AnyNumber:
        return QStringLiteral("*");
    case AnswerSpan::AnyNonZero:
        return QStringLiteral("**");
    case AnswerSpan::One:
        break;
    }
    return {};
}

QString sheet::AnswerFootnote(AnswerSpan span)
{
    switch (span) {
    case AnswerSpan::AnyNumber:
        return QStringLiteral("* Správně je každé číslo.");
    case AnswerSpan::AnyNonZero:
        return QStringLiteral("** Správně je každé číslo kromě 0.");
    case AnswerSpan::One:
        break;
    }
    return {};
}

QStringList sheet::KeyFootnotes(const SheetExercises &lines)
{
    bool needed[2] = {false, false};
    for (const auto &line : lines) {
        if (!line)
            continue;
        const AnswerSpan span = AnswersOf(*line);
        needed[0] = needed[0] || span == AnswerSpan::AnyNumber;
        needed[1] = needed[1] || span == AnswerSpan::AnyNonZero;
    }
    QStringList notes;
    if (needed[0])
        notes << AnswerFootnote(AnswerSpan::AnyNumber);
    if (needed[1])
        notes << AnswerFootnote(AnswerSpan::AnyNonZero);
    return notes;
}
