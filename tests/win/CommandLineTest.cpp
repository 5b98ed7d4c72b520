// The command-line table of the core's splitter, held to the platform's own splitter.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "../core/CommandLineCases.h"
#include "toolkit/CodePages.h"
#include "toolkit/Console.h"

TEST(CommandLineToArgvW, SplitsTheTableAsTheCoreDoes)
{
    for (const TCommandLineCase& c : kCommandLineCases) {
        const std::wstring line = ToWide(c.Line, kProgramCodePage).value_or(std::wstring());
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(args, nullptr) << c.Line;
        std::vector<std::string> split;
        for (int i = 0; i < count; ++i)
            split.push_back(FromWide(args[i], kProgramCodePage).value_or(std::string()));
        LocalFree(args);
        EXPECT_EQ(split, c.Args) << '[' << c.Line << ']';
    }
}
