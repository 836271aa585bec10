#pragma once
// The failures this program raises. Pure C++ (no Qt) so that the pure libraries can raise them;
// the user interface shows any that escapes an event handler with ShowFailure.

#include <exception>
#include <string>
#include <utility>

namespace base {

// A failure carrying its French message (UTF-8).
class Failure : public std::exception {
public:
    explicit Failure(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

// Floating-point faults: the three the program's arithmetic environment signals.
class ArithmeticFault : public Failure {
    using Failure::Failure;
};

class DivisionByZero : public ArithmeticFault {
public:
    DivisionByZero() : ArithmeticFault("Division par zéro en virgule flottante") {}
};

class InvalidOperation : public ArithmeticFault {
public:
    InvalidOperation() : ArithmeticFault("Opération en virgule flottante incorrecte") {}
};

class FloatOverflow : public ArithmeticFault {
public:
    FloatOverflow() : ArithmeticFault("Débordement en virgule flottante") {}
};

// A list index outside a table (a negative index given to a setter).
class ListIndexError : public Failure {
public:
    explicit ListIndexError(long long index)
        : Failure("Indice de liste hors limites (" + std::to_string(index) + ")") {}
};

} // namespace base
