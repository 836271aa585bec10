#pragma once
// The binary component stream in which form data keeps components and their properties: the
// value kinds (one tag byte before each value) and the failures of reading one. Pure C++ (no Qt);
// multi-byte numbers are little-endian.

#include "base/failure.h"

#include <cstdint>
#include <string>

namespace format {

// Component stream failures ("Valeur de propriété incorrecte", truncated data, ...).
class StreamError : public base::Failure {
    using Failure::Failure;
};

enum class ValueType : std::uint8_t {
    Null = 0,     // end of a list
    List = 1,     // values until an end of list
    Int8 = 2,     // integer, 1 byte signed
    Int16 = 3,    // integer, 2 bytes signed
    Int32 = 4,    // integer, 4 bytes signed
    Extended = 5, // 10-byte floating-point number (skipped only)
    String = 6,   // 1-byte length, then code-page bytes
    Ident = 7,    // enumeration value: 1-byte length, then its name
    False = 8,
    True = 9,
    Binary = 10,     // byte block: 4-byte length, then the bytes
    Set = 11,        // member names, each with a length byte, until an empty name
    LString = 12,    // 4-byte length, then code-page bytes
    Nil = 13,        // no object
    Collection = 14, // items, each a list of properties (skipped only)
    Single = 15,     // 4-byte floating-point number (skipped only)
    Currency = 16,   // 8 bytes (skipped only)
    Date = 17,       // 8 bytes (skipped only)
    WString = 18,    // 4-byte length in UTF-16 units, then the units
    Int64 = 19,      // integer, 8 bytes signed
    Utf8String = 20, // 4-byte length, then UTF-8 bytes
};

// The exact messages of the stream's failures.
namespace streammessage {
inline constexpr const char* kBadValue = "Valeur de propriété incorrecte";
inline constexpr const char* kTruncated = "Erreur de lecture du flux : données tronquées";
inline constexpr const char* kBadSignature = "Format de flux incorrect : signature absente";
inline constexpr const char* kTooDeep = "Format de flux incorrect : imbrication trop profonde";
inline constexpr const char* kBadText = "Format de flux incorrect : texte mal codé";
std::string unknownTag(int tag);
std::string badRecords(const std::string& property, std::size_t size, std::size_t recordSize);
std::string nameTooLong(const std::string& name);
std::string classNameTooLong(const std::string& name);
} // namespace streammessage

// The four bytes that open form data.
inline constexpr char kFormSignature[] = "TPF0";

} // namespace format
