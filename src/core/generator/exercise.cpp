#include "core/generator/exercise.h"

bool OperationSwitches::isOn(Operation op) const
{
    switch (op) {
    case Operation::Plus:
        return plus;
    case Operation::Minus:
        return minus;
    case Operation::Krat:
        return krat;
    case Operation::Del:
        return deleni;
    }
    return false;
}

int OperationSwitches::countOn() const
{
    return int(plus) + int(minus) + int(krat) + int(deleni);
}
