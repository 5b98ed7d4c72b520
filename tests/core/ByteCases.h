// Byte strings for the protocol tests, written as literals or built from texts, and joined with +.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// Every byte of a literal, NULs inside it included; only the terminating NUL is left out. (A literal that went
// through a C string would stop at its first NUL.)
template <size_t N>
TBytes B(const char (&literal)[N])
{
    return TBytes(literal, literal + N - 1);
}

inline TBytes B(const std::string& bytes) { return TBytes(bytes.begin(), bytes.end()); }

inline TBytes operator+(TBytes a, const TBytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
