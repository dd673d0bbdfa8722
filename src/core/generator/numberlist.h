#pragma once

#include <QString>
#include <QStringView>

#include <array>

struct NumberListReading;

// The numbers a restriction may name instead of its interval, e.g. the tables 2, 5 and 10.
// Empty means that the interval is in force. The list keeps its numbers sorted in a fixed array,
// so that the operand search tests membership without allocating.
class NumberList
{
public:
    // How many numbers a list may hold once its ranges are expanded.
    static constexpr int MaxNumbers = 64;

    bool isEmpty() const { return m_count == 0; }
    bool contains(qint32 value) const;
    // The list as stored: its items in the order typed, joined by commas without blanks
    // ("2,5,10", "6-9"); empty for the empty list.
    const QString &text() const { return m_text; }

    friend bool operator==(const NumberList &, const NumberList &) = default;

private:
    friend NumberListReading ReadNumberList(QStringView text);

    QString m_text;
    std::array<qint32, MaxNumbers> m_values = {};
    int m_count = 0;
};

// Empty is what the settings dialog makes of an empty field where the list is chosen.
enum class NumberListProblem { None, Malformed, TooMany, Empty };

struct NumberListReading
{
    NumberList list;                                    // empty unless the text was read whole
    NumberListProblem problem = NumberListProblem::None;
    QString wrongText; // the item that is no number or range, or for too many numbers the whole text
};

// Reads a list as the teacher types it: whole numbers and ranges such as 6-9, separated by
// commas or blanks. A minus after a number, with or without blanks around it, makes a range
// ("6 - 9"); one after a separator is a sign ("2, -5"). A range runs upwards, its ends included.
NumberListReading ReadNumberList(QStringView text);
