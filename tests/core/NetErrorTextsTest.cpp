// Tests of the network error text table and the "code: text" messages built from it.
#include "core/NetErrorTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace {

TEST(NetErrorTable, CoversExactlyTheNetworkCodesWithTheBlankRule)
{
    // Written out independently of the data file the table is generated from.
    const std::pair<uint32_t, uint32_t> ranges[] = {
        {2102, 2107}, {2114, 2119}, {2121, 2123}, {2127, 2127}, {2131, 2131}, {2136, 2144}, {2146, 2147},
        {2149, 2168}, {2180, 2194}, {2200, 2207}, {2209, 2212}, {2214, 2217}, {2219, 2252}, {2270, 2289},
        {2294, 2295}, {2297, 2300}, {2310, 2312}, {2314, 2321}, {2331, 2335}, {2337, 2338}, {2340, 2343},
        {2351, 2351}, {2354, 2354}, {2356, 2357}, {2362, 2362}, {2370, 2375}, {2377, 2383}, {2385, 2385},
        {2389, 2389}, {2391, 2392}, {2400, 2405}, {2430, 2434}, {2440, 2440}, {2450, 2458}, {2460, 2467},
        {2470, 2470}, {2480, 2484}, {2500, 2519}, {2550, 2550}, {2610, 2641}, {2660, 2672}, {2690, 2690},
    };
    std::vector<uint32_t> expected;
    for (const auto& [first, last] : ranges)
        for (uint32_t code = first; code <= last; ++code)
            expected.push_back(code);
    ASSERT_EQ(expected.size(), 285u);

    std::vector<uint32_t> actual;
    for (const TNetErrorText& entry : NetErrorTable()) {
        actual.push_back(entry.Code);
        const std::string_view text = entry.Text;
        EXPECT_EQ(text.empty(), entry.Code == 2137) << entry.Code;
        if (!text.empty()) {
            EXPECT_EQ(text[0] == ' ', entry.Code < 2610) << entry.Code << ": \"" << text << '"';
        }
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(*FindNetErrorText(2515), *FindNetErrorText(2516));
    for (uint32_t code : {0u, 2101u, 2108u, 2145u, 2609u, 2691u, 6118u, 0xFFFFFFFFu})
        EXPECT_FALSE(FindNetErrorText(code)) << code;
}

TEST(NetErrorTable, MatchesTheDataFileByteForByte)
{
    // Catches a data file changed without regenerating and committing the table.
    const auto path = std::filesystem::path(__FILE__).parent_path() / "../../data/network-error-texts.tsv";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "cannot open " << path;
    std::string line;
    std::getline(in, line);
    ASSERT_EQ(line, "code\ttext");
    size_t count = 0;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const auto found = FindNetErrorText(static_cast<uint32_t>(std::stoul(line.substr(0, tab))));
        ASSERT_TRUE(found) << line;
        EXPECT_EQ(*found, line.substr(tab + 1));
        ++count;
    }
    EXPECT_EQ(count, NetErrorTable().size());
}

TEST(NetErrorMessage, BuildsCodeColonAndText)
{
    std::vector<uint32_t> asked;
    const TSystemErrorText system = [&asked](uint32_t code) {
        asked.push_back(code);
        return "system text " + std::to_string(code) + ".\r\n";
    };
    const std::pair<uint32_t, std::string> cases[] = {
        // The separator's blank plus the blank that starts the table's text.
        {2114, "2114:  The Server service is not started."},
        {2102, "2102:  The workstation driver is not installed."},
        {2453, "2453:  Could not find domain controller for this domain."},
        {2690, "2690: DFS internal error"},
        {2137, "2137: Unknown error"},
        // Not in the table: the system's text, exactly as it comes.
        {6118, "6118: system text 6118.\r\n"},
        {2108, "2108: system text 2108.\r\n"},
        {4294967295u, "4294967295: system text 4294967295.\r\n"},
    };
    for (const auto& [code, message] : cases) {
        const ENTException e = MakeNTException(code, system);
        EXPECT_EQ(e.Message(), message);
        EXPECT_EQ(e.ErrorCode(), code);
    }
    EXPECT_EQ(asked, (std::vector<uint32_t>{6118, 2108, 4294967295u}));
    EXPECT_EQ(NetErrorMessage(6118, [](uint32_t) { return std::string(); }), "6118: ");
}

TEST(ErrorCodeText, TheSystemsWordsElseTheTablesCleanedAtBothEnds)
{
    const TSystemErrorText system = [](uint32_t code) {
        switch (code) {
        case 53: return std::string("The network path was not found.\r\n");
        case 2273: return std::string("System words for 2273. \r\n");
        default: return std::string();
        }
    };
    const std::pair<uint32_t, std::string> cases[] = {
        {53, "The network path was not found"},
        {2273, "System words for 2273"},                                   // the system first
        {2136, "A general network error occurred"},                       // its leading blank too
        {2114, "The Server service is not started"},
        {2690, "DFS internal error"},
        {2137, "Unknown error"},
        {6118, ""},                                                       // neither knows it
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(ErrorCodeText(code, system), text) << code;
    EXPECT_EQ(ErrorCodeText(2103, nullptr), "The server could not be located");
}

}  // namespace
