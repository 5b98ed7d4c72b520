// Tests of the server enumeration and the network management binding against the recording netapi32 stand-in.
#include <winsock2.h> // before windows.h, for the name responder

#include "net/NTservice.h"
#include "net/NetApi32.h"

#include <lm.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../e2e/standin/StandinProtocol.h"
#include "WinPopupPeers.h"
#include "net/BrowseMaster.h"
#include "core/ProgramTexts.h"
#include "core/Text.h"

namespace {

using standin::EnumResult;
using standin::Name;
using standin::Record;

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

Name N(const std::string& cp1254) { return standin::AnsiName(cp1254); }

// The platform's own text for a code, fetched here independently of the code under test.
std::string PlatformText(DWORD code)
{
    char text[1024] = {};
    const DWORD length = FormatMessageA(0x1200, nullptr, code, 0, text, sizeof text, nullptr);
    return std::string(text, length);
}

class ServerEnumeration : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        const std::string base = std::string(temp) + "varnel-ntservice-" + std::to_string(GetCurrentProcessId()) +
                                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        FScript = base + ".script";
        FLog = base + ".log";
        DeleteFileA(FLog.c_str());
        SetEnvironmentVariableA(standin::kScriptVariable, FScript.c_str());
        SetEnvironmentVariableA(standin::kLogVariable, FLog.c_str());
        // On 6118 the component asks the workgroup's browse master: here the question stays on loopback.
        FSavedNetwork = BrowseMasterNetwork();
        BrowseMasterNetwork().NameQuery = {"127.0.0.1", FNames.Port()};
        BrowseMasterNetwork().NameQueryTimeoutMs = 300;
        NetApi32::InitNetApi32();
        FService = std::make_unique<TNTService>(nullptr);
        FService->NotifyLoaded();
    }

    void TearDown() override
    {
        FService.reset();
        NetApi32::DoneNetApi32();
        BrowseMasterNetwork() = FSavedNetwork;
        SetEnvironmentVariableA(standin::kScriptVariable, nullptr);
        SetEnvironmentVariableA(standin::kLogVariable, nullptr);
        DeleteFileA(FScript.c_str());
        DeleteFileA(standin::StatePathFor(FScript).c_str());
        DeleteFileA(FLog.c_str());
    }

    void Script(std::vector<EnumResult> results)
    {
        standin::Script script;
        script.EnumResults = std::move(results);
        standin::WriteScript(FScript, script);
    }

    std::vector<Record> Log() const { return standin::ReadLog(FLog); }
    std::vector<Record> EnumCalls() const { return standin::RecordsOf(Log(), "NetServerEnum"); }

    std::string FScript;
    std::string FLog;
    std::unique_ptr<TNTService> FService;
    peers::TNameResponder FNames{{}};
    TBrowseMasterNetwork FSavedNetwork;
};

TEST_F(ServerEnumeration, ListsServersInPlatformOrderWithTwoBackslashes)
{
    Script({{0, 0, {N("PC02"), N("PC01"), N("PC02")}}});
    const auto list = FService->GetServerList("");
    EXPECT_EQ(*list, (TServerList{"\\\\PC02", "\\\\PC01", "\\\\PC02"}));

    const auto calls = EnumCalls();
    ASSERT_EQ(calls.size(), 1u);
    const Record& call = calls[0];
    EXPECT_FALSE(call.IsNull("servername"));  // the local computer is the empty text, never a null pointer
    EXPECT_EQ(call.Wide("servername"), u"");
    EXPECT_EQ(call.Number("level"), 100u);
    EXPECT_EQ(call.Number("prefmaxlen"), MAX_PREFERRED_LENGTH);
    EXPECT_EQ(call.Number("servertype"), static_cast<uint32_t>(SV_TYPE_ALL));
    EXPECT_TRUE(call.IsNull("domain"));
    EXPECT_EQ(call.Number("resume"), 0u);
    EXPECT_EQ(call.Raw("entriesread"), "nonnull");
    EXPECT_EQ(call.Raw("totalentries"), "nonnull");
    EXPECT_TRUE(standin::UnfreedBuffers(Log()).empty());
}

TEST_F(ServerEnumeration, AnEmptyNetworkGivesAnEmptyListWithoutError)
{
    for (uint32_t status : {0u, 234u}) {
        Script({{status, 0, {}}});
        EXPECT_TRUE(FService->GetServerList("")->empty()) << status;
    }
    // No records but a resume handle still set: the enumeration stops at the empty answer.
    Script({{234, 9, {}}, {0, 0, {N("NEVER")}}});
    EXPECT_TRUE(FService->GetServerList("")->empty());
    EXPECT_EQ(EnumCalls().size(), 3u);
}

TEST_F(ServerEnumeration, ContinuesWhileTheResumeHandleIsSet)
{
    Script({{234, 7, {N("A"), N("B")}}, {0, 12, {N("C")}}, {0, 0, {N("D")}}});
    EXPECT_EQ(*FService->GetServerList(""), (TServerList{"\\\\A", "\\\\B", "\\\\C", "\\\\D"}));
    const auto calls = EnumCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].Number("resume"), 0u);
    EXPECT_EQ(calls[1].Number("resume"), 7u);
    EXPECT_EQ(calls[2].Number("resume"), 12u);
    EXPECT_TRUE(standin::UnfreedBuffers(Log()).empty());
    EXPECT_EQ(standin::RecordsOf(Log(), "NetApiBufferFree").size(), 3u);
}

TEST_F(ServerEnumeration, FailingStatusesRaiseWithCodeAndMessage)
{
    struct Case {
        uint32_t status;
        std::string message;
    };
    const Case cases[] = {
        {2114, "2114:  The Server service is not started."},
        {2137, "2137: Unknown error"},
        {2453, "2453:  Could not find domain controller for this domain."},
        // Where the browse master did not give the list either, Turkish lines follow the enumeration's own text.
        {6118, "6118: " + PlatformText(6118) + "\r\n" + BrowseListUnavailableText()},
        {5, "5: " + PlatformText(5)},
    };
    for (const Case& c : cases) {
        Script({{c.status, 0, {}}});
        const int queriesBefore = FNames.Queries();
        try {
            FService->GetServerList("");
            ADD_FAILURE() << "no exception for " << c.status;
        } catch (const ENTException& e) {
            EXPECT_EQ(e.ErrorCode(), c.status);
            EXPECT_EQ(e.Message(), c.message);
        }
        // Only 6118 sends the component looking for a browse master; with none answering, 6118 stands.
        EXPECT_EQ(FNames.Queries() > queriesBefore, c.status == 6118) << c.status;
    }
    EXPECT_FALSE(PlatformText(5).empty());  // the system text really is used where there is one
}

TEST_F(ServerEnumeration, AFailureAfterSomeRecordsReturnsNothingAndFreesEveryBuffer)
{
    Script({{234, 5, {N("A")}}, {2114, 0, {N("B")}}});
    EXPECT_THROW(FService->GetServerList(""), ENTException);
    EXPECT_EQ(EnumCalls().size(), 2u);
    EXPECT_TRUE(standin::UnfreedBuffers(Log()).empty());
}

TEST_F(ServerEnumeration, AFailingStatusIsIgnoredWhileTheComponentIsBeingCreated)
{
    TNTService loading(nullptr);  // not yet told that its layout is loaded
    Script({{2114, 0, {}}});
    EXPECT_TRUE(loading.GetServerList("")->empty());
    Script({{2114, 0, {N("PC09")}}});
    EXPECT_EQ(*loading.GetServerList(""), (TServerList{"\\\\PC09"}));
    EXPECT_TRUE(standin::UnfreedBuffers(Log()).empty());
}

TEST_F(ServerEnumeration, EnumServersGivesPlainNamesNullLongAndTurkishAlike)
{
    const std::string longName(5000, 'L');
    Script({{0, 0, {Name(), N("PC03"), N(longName), Name(u"\u0130ZM\u0130R-\u015eUBE")}}});
    const auto list = FService->EnumServers("", 0x00000003);
    EXPECT_EQ(*list, (TServerList{"", "PC03", longName, "İZMİR-ŞUBE"}));
    EXPECT_EQ(EnumCalls().at(0).Number("servertype"), 3u);
}

TEST_F(ServerEnumeration, ServerTextIsConvertedAndCutToTheFixedBuffer)
{
    struct Case {
        std::string server;
        std::u16string expected;
    };
    const Case cases[] = {
        {"\\\\PC01", u"\\\\PC01"},
        {"\\\\İZMİR", u"\\\\\u0130ZM\u0130R"},
        {std::string(255, 'S'), U16(std::string(255, 'S'))},
        {std::string(256, 'S'), U16(std::string(255, 'S'))},
        {std::string(4000, 'S'), U16(std::string(255, 'S'))},
    };
    for (const Case& c : cases) {
        Script({{0, 0, {}}});
        FService->GetServerList(c.server);
        const auto calls = EnumCalls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().Wide("servername"), c.expected) << c.server.size();
    }
}

TEST(ServerTextBuffer, EightBitTextIsCutToFitWithItsTerminator)
{
    struct Case {
        size_t length;
        size_t kept;
    };
    for (const Case& c : {Case{0, 0}, Case{10, 10}, Case{511, 511}, Case{512, 511}, Case{3000, 511}}) {
        TServerText buffer;
        std::memset(buffer.Bytes, 'x', sizeof buffer.Bytes);
        FillServerText(std::string(c.length, 'A'), false, buffer);
        EXPECT_EQ(std::string(buffer.Bytes, strnlen(buffer.Bytes, sizeof buffer.Bytes)), std::string(c.kept, 'A'))
            << c.length;
        EXPECT_EQ(buffer.Bytes[sizeof buffer.Bytes - 1], '\0') << c.length;
    }
}

class UnboundLibrary : public ::testing::Test {
protected:
    void TearDown() override { NetApi32::DoneNetApi32(); }

    static std::string FailureOf(TNTService& service)
    {
        try {
            service.GetServerList("");
        } catch (const ENTException& e) {
            return "unexpected ENTException: " + e.Message();
        } catch (const Exception& e) {
            return e.Message();
        }
        return "no exception";
    }
};

TEST_F(UnboundLibrary, CallsRaiseCannotLoadLibraryNamingTheLibrary)
{
    TNTService service(nullptr);
    service.NotifyLoaded();

    // The older family's library does not exist here: nothing is bound.
    NetApi32::BindNetApi32("radmin32.dll", false);
    EXPECT_FALSE(NetApi32::Loaded());
    EXPECT_EQ(FailureOf(service), "Cannot load library \"radmin32.dll\" or linked libraries");

    // A library that loads but lacks the function keeps a null entry.
    NetApi32::BindNetApi32("kernel32.dll", true);
    EXPECT_TRUE(NetApi32::Loaded());
    EXPECT_EQ(FailureOf(service), "Cannot load library \"kernel32.dll\" or linked libraries");

    // The stand-in exports only the plain names, so the older family's name is not found in it.
    NetApi32::BindNetApi32("netapi32.dll", false);
    EXPECT_TRUE(NetApi32::Loaded());
    EXPECT_EQ(FailureOf(service), "Cannot load library \"netapi32.dll\" or linked libraries");

    // Released at program end: calls fail cleanly instead of jumping into an unloaded library.
    NetApi32::InitNetApi32();
    ASSERT_TRUE(NetApi32::Loaded());
    NetApi32::DoneNetApi32();
    EXPECT_FALSE(NetApi32::Loaded());
    EXPECT_EQ(FailureOf(service), "Cannot load library \"netapi32.dll\" or linked libraries");
}

}  // namespace
