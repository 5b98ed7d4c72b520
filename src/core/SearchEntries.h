// The search list's entry store seen from portable code: a count and an entry by index, plus the whole-text lookup.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The store stays where it lives (the list box's own sorted strings); the search only reads through this.
class TSearchEntries {
public:
    virtual ~TSearchEntries() = default;
    virtual int Count() const = 0;
    virtual std::string Entry(int index) const = 0;
};

// Reads a vector in place; it must outlive the adapter.
class TVectorEntries : public TSearchEntries {
public:
    explicit TVectorEntries(const std::vector<std::string>& entries) : FEntries(entries) {}
    int Count() const override;
    std::string Entry(int index) const override;

private:
    const std::vector<std::string>& FEntries;
};

// Index of the first entry equal to the whole text with a-z and A-Z taken as equal, or -1.
// Never a prefix match and independent of the search's case setting.
int IndexOf(const TSearchEntries& entries, std::string_view text);
