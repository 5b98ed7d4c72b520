// Tables of texts and what a text rule of the core makes of each, checked one row at a time.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

struct TTextCase {
    std::string Given;
    std::string Expected;
};

template <typename Rule>
void ExpectEachText(Rule rule, std::initializer_list<TTextCase> cases)
{
    for (const TTextCase& c : cases)
        EXPECT_EQ(rule(c.Given), c.Expected) << '[' << c.Given << ']';
}
