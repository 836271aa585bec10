#include "calc/fpfaults.h"

#include <cmath>
#include <initializer_list>

namespace calc {
namespace {

// A result that is NaN or infinite although its operands were finite numbers.
Extended checked(long double result, std::initializer_list<long double> operands) {
    if (std::isfinite(result)) {
        return result;
    }
    for (const long double operand : operands) {
        if (std::isnan(operand)) {
            throw base::InvalidOperation();
        }
    }
    if (std::isnan(result)) {
        throw base::InvalidOperation();
    }
    bool finiteOperands = true;
    for (const long double operand : operands) {
        finiteOperands = finiteOperands && std::isfinite(operand);
    }
    if (finiteOperands) {
        throw base::FloatOverflow();
    }
    return result; // infinity carried from an infinite operand
}

} // namespace

Extended operator+(Extended a, Extended b) {
    return checked(a.value_ + b.value_, {a.value_, b.value_});
}

Extended operator-(Extended a, Extended b) {
    return checked(a.value_ - b.value_, {a.value_, b.value_});
}

Extended operator*(Extended a, Extended b) {
    return checked(a.value_ * b.value_, {a.value_, b.value_});
}

Extended operator/(Extended a, Extended b) {
    if (b.value_ == 0) {
        // 0/0 is invalid; a finite non-zero number over zero divides by zero.
        if (a.value_ == 0) {
            throw base::InvalidOperation();
        }
        if (std::isfinite(a.value_)) {
            throw base::DivisionByZero();
        }
    }
    return checked(a.value_ / b.value_, {a.value_, b.value_});
}

// sin and cos of an infinity are invalid: the NaN result from a non-NaN operand says so.
Extended sin(Extended x) {
    return checked(sinl(x.value()), {x.value()});
}

Extended cos(Extended x) {
    return checked(cosl(x.value()), {x.value()});
}

Extended atan2(Extended y, Extended x) {
    return checked(atan2l(y.value(), x.value()), {y.value(), x.value()});
}

double toDouble(Extended x) {
    const long double value = x.value();
    if (std::isnan(value)) {
        throw base::InvalidOperation();
    }
    const double stored = static_cast<double>(value);
    if (std::isinf(stored) && std::isfinite(value)) {
        throw base::FloatOverflow();
    }
    return stored;
}

} // namespace calc
