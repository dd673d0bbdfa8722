#pragma once

#include "core/generator/numberlist.h"

#include <QtGlobal>

// The four operations. The codes are stored in record files and ride in the Tags of the
// operation switches and of EOperace, so a value read back from a file may lie outside 1..4:
// every consumer must treat an unknown code explicitly and never index with it unchecked.
enum class Operation : qint32 { Plus = 1, Minus = 2, Krat = 3, Del = 4 };

// Which number of X op Y = Z is hidden; the Tags of ECislo1, ECislo2 and EVysledek.
enum class UnknownSlot : qint32 { First = 1, Second = 2, Result = 3 };

struct Exercise
{
    qint32 first = 0;
    Operation operation = Operation::Plus;
    qint32 second = 0;
    qint32 result = 0;
    UnknownSlot hidden = UnknownSlot::Result;
};

// Inclusive bounds of X, Y and Z for one operation, and the optional restriction that one of
// the numbers named by ORAN lies in OROD..ORDO, or in ORCISLA when that list is not empty.
// Values from the settings file are used as read.
struct OperationRange
{
    qint32 C1OD = 0;
    qint32 C1DO = 0;
    qint32 C2OD = 0;
    qint32 C2DO = 0;
    qint32 VOD = 0;
    qint32 VDO = 0;
    qint32 ORAN = 0;
    qint32 OROD = 1;
    qint32 ORDO = 10;
    NumberList ORCISLA{};

    friend bool operator==(const OperationRange &, const OperationRange &) = default;
};

// The main window's check boxes ChBPlus, ChBMinus, ChBKrat and ChBDeleni, read at every draw.
struct OperationSwitches
{
    bool plus = true;
    bool minus = false;
    bool krat = false;
    bool deleni = false;

    bool isOn(Operation op) const;
    int countOn() const;

    friend bool operator==(const OperationSwitches &, const OperationSwitches &) = default;
};

// A code from 1 to 4, i.e. one that may index per-operation tables.
constexpr bool isKnownOperation(qint32 code)
{
    return code >= 1 && code <= 4;
}

// 32-bit two's-complement arithmetic with wrap-around, free of signed-overflow UB.
constexpr qint32 wrapAdd(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) + static_cast<quint32>(b));
}
constexpr qint32 wrapSub(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) - static_cast<quint32>(b));
}
constexpr qint32 wrapMul(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) * static_cast<quint32>(b));
}
