// TStrings: an ordered list of 8-bit texts as the windows' lists expose it.
#pragma once
#include <string>

class TStrings {
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    // Index of an equal entry, or -1 (what "equal" means is the list's own rule).
    virtual int IndexOf(const std::string& text) const = 0;
    // Adds the text and returns where it went.
    virtual int Add(const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
};
