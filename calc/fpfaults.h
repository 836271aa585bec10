#pragma once
// Extended-precision arithmetic that reports the three floating-point faults the program treats
// as failures: division by zero, invalid operation and overflow. Underflow, denormal operands and
// inexact results pass silently. Every operation is tested explicitly on its operands and result,
// so a fault is raised at the operation that caused it, whatever the optimiser does with the
// floating-point status flags.

#include "base/failure.h"

namespace calc {

// A long double whose + - * / and functions throw base::ArithmeticFault instead of producing
// an infinity or a NaN from finite operands.
class Extended {
public:
    constexpr Extended() = default;
    // Implicit, so that formulas mix Extended with doubles and literals.
    // cppcheck-suppress noExplicitConstructor
    constexpr Extended(long double value) : value_(value) {} // NOLINT(google-explicit-constructor)
    constexpr long double value() const { return value_; }

    friend Extended operator+(Extended a, Extended b);
    friend Extended operator-(Extended a, Extended b);
    friend Extended operator*(Extended a, Extended b);
    friend Extended operator/(Extended a, Extended b);
    friend constexpr Extended operator-(Extended a) { return Extended(-a.value_); }

private:
    long double value_ = 0;
};

// π to the full 64-bit significand.
inline constexpr long double kPi = 3.141592653589793238462643383279502884L;

Extended sin(Extended x);
Extended cos(Extended x);
// The principal value of atan(y / x), in (-π, π].
Extended atan2(Extended y, Extended x);

// Rounds to a 64-bit double as a store does; throws FloatOverflow when a finite value is too
// large for a double (and InvalidOperation for a NaN). Underflow rounds silently to a denormal
// or zero.
double toDouble(Extended x);

} // namespace calc
