// Checks the recording netapi32 stand-in through its real exports: log records, scripts and handed-out buffers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../e2e/standin/StandinProtocol.h"

namespace {

using SendFn = DWORD(WINAPI*)(const wchar_t*, const wchar_t*, const wchar_t*, BYTE*, DWORD);
using EnumFn = DWORD(WINAPI*)(const wchar_t*, DWORD, BYTE**, DWORD, DWORD*, DWORD*, DWORD, const wchar_t*, DWORD*);
using FreeFn = DWORD(WINAPI*)(void*);

struct TServerInfo100 {
    DWORD PlatformId;
    const wchar_t* Name;
};

std::string ExeFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::wstring W(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
std::wstring W(const std::string& cp1254) { return W(standin::WideFromAnsi(cp1254)); }

// Keeps one variable as it was before the test.
class TSavedVariable {
public:
    explicit TSavedVariable(const char* name) : FName(name) {
        char buf[32768];
        const DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
        FWasSet = n > 0 && n < sizeof buf;
        if (FWasSet) FValue.assign(buf, n);
    }
    ~TSavedVariable() { SetEnvironmentVariableA(FName, FWasSet ? FValue.c_str() : nullptr); }

private:
    const char* FName;
    bool FWasSet = false;
    std::string FValue;
};

class StandinTest : public ::testing::Test {
protected:
    static void* Export(const char* name) { return reinterpret_cast<void*>(GetProcAddress(Module, name)); }

    static void SetUpTestSuite() {
        Module = LoadLibraryA("netapi32.dll");
        if (!Module) return;
        Send = reinterpret_cast<SendFn>(Export("NetMessageBufferSend"));
        Enum = reinterpret_cast<EnumFn>(Export("NetServerEnum"));
        Free = reinterpret_cast<FreeFn>(Export("NetApiBufferFree"));
    }

    void SetUp() override {
        ASSERT_NE(Module, nullptr) << "netapi32.dll did not load";
        // Wine's own library reports the path of the file it shadows, so tell them apart by their exports.
        ASSERT_EQ(Export("NetWkstaGetInfo"), nullptr)
            << "the system's netapi32 was loaded instead of the stand-in: run with WINEDLLOVERRIDES=netapi32=n,b";
        ASSERT_TRUE(Send && Enum && Free) << "the stand-in must export all three functions by their plain names";
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string base = ExeFolder() + "standin-" + info->name() + "-" + std::to_string(GetCurrentProcessId());
        LogPath = base + ".log";
        ScriptPath = base + ".script";
        DeleteFileA(LogPath.c_str());
        DeleteFileA(ScriptPath.c_str());
        DeleteFileA(standin::StatePathFor(ScriptPath).c_str());
        SetEnvironmentVariableA(standin::kLogVariable, LogPath.c_str());
        SetEnvironmentVariableA(standin::kScriptVariable, nullptr);
    }

    void TearDown() override {
        DeleteFileA(LogPath.c_str());
        DeleteFileA(ScriptPath.c_str());
        DeleteFileA(standin::StatePathFor(ScriptPath).c_str());
    }

    void UseScript(const standin::Script& script) {
        standin::WriteScript(ScriptPath, script);
        SetEnvironmentVariableA(standin::kScriptVariable, ScriptPath.c_str());
    }

    std::vector<standin::Record> Log() const { return standin::ReadLog(LogPath); }

    struct TEnumCall {
        DWORD Status = 0;
        std::vector<std::wstring> Names;
        std::vector<bool> NullNames;
        DWORD Read = 0, Total = 0, Resume = 0;
        BYTE* Buffer = nullptr;
    };

    // Calls the enumeration the way the program does and copies out what came back.
    TEnumCall Enumerate(DWORD resumeIn = 0, bool keepBuffer = false) {
        TEnumCall c;
        c.Resume = resumeIn;
        c.Status = Enum(L"", 100, &c.Buffer, 0xFFFFFFFF, &c.Read, &c.Total, 0xFFFFFFFF, nullptr, &c.Resume);
        const auto* records = reinterpret_cast<const TServerInfo100*>(c.Buffer);
        for (DWORD i = 0; records && i < c.Read; ++i) {
            c.NullNames.push_back(records[i].Name == nullptr);
            c.Names.push_back(records[i].Name ? records[i].Name : L"");
            EXPECT_EQ(records[i].PlatformId, 500u);
        }
        if (c.Buffer && !keepBuffer) {
            EXPECT_EQ(Free(c.Buffer), 0u);
        }
        return c;
    }

    static inline HMODULE Module = nullptr;
    static inline SendFn Send = nullptr;
    static inline EnumFn Enum = nullptr;
    static inline FreeFn Free = nullptr;
    TSavedVariable FSavedLog{standin::kLogVariable};
    TSavedVariable FSavedScript{standin::kScriptVariable};
    std::string LogPath, ScriptPath;
};

TEST(StandinProtocolTest, Cp1254TableAgreesWithThePlatformConversion) {
    for (int c = 1; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        wchar_t unit = 0;
        ASSERT_EQ(MultiByteToWideChar(1254, 0, &byte, 1, &unit, 1), 1);
        EXPECT_EQ(static_cast<unsigned>(standin::Cp1254ToUnit(static_cast<unsigned char>(c))), static_cast<unsigned>(unit))
            << "byte 0x" << std::hex << c;
    }
    EXPECT_EQ(standin::AnsiFromWide(standin::WideFromAnsi("Gönderİş ğüşıöç ĞÜŞİÖÇ")), "Gönderİş ğüşıöç ĞÜŞİÖÇ");
    EXPECT_EQ(standin::AnsiFromWide(u"\u03A9x"), "?x");
}

TEST(StandinProtocolTest, ScriptRoundTripsEveryKindOfName) {
    standin::Script s;
    s.SendResults = {0, 2273, 0xFFFFFFFF};
    s.EnumResults.push_back({234, 7, {standin::AnsiName("PC01"), standin::Name(), standin::Name(u"NULL"),
                                      standin::Name(u""), standin::Name(u"a \"b\" \\c\t\x00E7\xD800"),
                                      standin::Name(std::u16string(4000, u'X'))}});
    s.EnumResults.push_back({0, 0, {}});
    const standin::ParsedScript p = standin::ParseScript(s.Text());
    ASSERT_EQ(p.Error, "");
    EXPECT_EQ(p.Lines.SendResults, s.SendResults);
    ASSERT_EQ(p.Lines.EnumResults.size(), 2u);
    EXPECT_EQ(p.Lines.EnumResults[0].Status, 234u);
    EXPECT_EQ(p.Lines.EnumResults[0].Resume, 7u);
    EXPECT_EQ(p.Lines.EnumResults[0].Names, s.EnumResults[0].Names);
    EXPECT_TRUE(p.Lines.EnumResults[1].Names.empty());
}

TEST(StandinProtocolTest, HandWrittenScriptsAcceptUtf8AndRejectWhatTheyCannotMean) {
    const standin::ParsedScript ok =
        standin::ParseScript("# comment\n\nNetServerEnum 0x0 0 PC\xC3\xA7 \"\xC4\xB0\\u0131\" NULL\r\n");
    ASSERT_EQ(ok.Error, "");
    ASSERT_EQ(ok.Lines.EnumResults.size(), 1u);
    EXPECT_EQ(ok.Lines.EnumResults[0].Names, (std::vector<standin::Name>{u"PC\u00E7", u"\u0130\u0131", {}}));

    const struct {
        const char* Text;
        int Line;
    } bad[] = {
        {"NetMessageBufferSend\n", 1},
        {"NetMessageBufferSend 1 2\n", 1},
        {"NetMessageBufferSend -1\n", 1},
        {"NetMessageBufferSend 4294967296\n", 1},
        {"NetMessageBufferSend 12abc\n", 1},
        {"# ok\nNetServerEnum 0\n", 2},
        {"NetServerEnum 0 0 \"open\n", 1},
        {"NetServerEnum 0 0 \"bad\\q\"\n", 1},
        {"NetServerEnum 0 0 \xC3\n", 1},
        {"NetApiBufferFree 0\n", 1},
    };
    for (const auto& b : bad) {
        const standin::ParsedScript p = standin::ParseScript(b.Text);
        EXPECT_NE(p.Error, "") << b.Text;
        EXPECT_EQ(p.ErrorLine, b.Line) << b.Text;
    }
}

TEST(StandinProtocolTest, LogParserIgnoresAnUnfinishedLastLine) {
    const auto records = standin::ParseLog("A\tk=v\tx=1=2\nB\tk=\nC\tk=half");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Raw("x"), "1=2");
    EXPECT_EQ(records[1].Raw("k"), "");
    EXPECT_THROW(records[0].Raw("missing"), std::runtime_error);
    EXPECT_THROW(standin::ParseLog("A\tnoequals\n"), std::runtime_error);
}

TEST_F(StandinTest, SendLogsEveryArgumentExactly) {
    const std::string turkish = "Gönderİş ğüşıöç";
    std::wstring message = W(turkish);
    const std::wstring worker = W("İŞÇİ");
    const struct {
        const wchar_t* Server;
        const wchar_t* To;
        const wchar_t* From;
        BYTE* Buf;
        DWORD Len;
    } calls[] = {
        {L"PC01", worker.c_str(), L"", reinterpret_cast<BYTE*>(message.data()),
         static_cast<DWORD>((message.size() + 1) * 2)},
        {nullptr, L"NULL", nullptr, nullptr, 0},
        {L"tab\there \"q\" back\\slash\nnew", L"x", L"y", reinterpret_cast<BYTE*>(message.data()), 3},
    };
    for (const auto& c : calls) EXPECT_EQ(Send(c.Server, c.To, c.From, c.Buf, c.Len), 0u);

    const auto log = Log();
    ASSERT_EQ(log.size(), 3u);
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].Function, "NetMessageBufferSend");
        EXPECT_EQ(log[i].Number("pid"), GetCurrentProcessId());
        EXPECT_EQ(log[i].Number("result"), 0u);
        EXPECT_EQ(log[i].Number("buflen"), calls[i].Len);
    }
    EXPECT_EQ(log[0].Ansi("servername"), "PC01");
    EXPECT_EQ(log[0].Raw("servername"), "\"PC01\"");
    EXPECT_EQ(log[0].Ansi("msgname"), "İŞÇİ");
    EXPECT_EQ(log[0].Raw("msgname.utf16"), "0130 015E 00C7 0130");
    EXPECT_EQ(log[0].Raw("msgname"), "\"\xC4\xB0\xC5\x9E\xC3\x87\xC4\xB0\"");  // UTF-8 of the same text
    EXPECT_FALSE(log[0].IsNull("fromname"));
    EXPECT_EQ(log[0].Wide("fromname"), u"");
    EXPECT_EQ(standin::AnsiFromWide(log[0].BufferUnits()), turkish + std::string(1, '\0'));

    EXPECT_TRUE(log[1].IsNull("servername"));
    EXPECT_FALSE(log[1].IsNull("msgname"));
    EXPECT_EQ(log[1].Ansi("msgname"), "NULL");
    EXPECT_TRUE(log[1].IsNull("fromname"));
    EXPECT_EQ(log[1].Raw("buf"), "NULL");

    EXPECT_EQ(log[2].Ansi("servername"), "tab\there \"q\" back\\slash\nnew");
    EXPECT_EQ(log[2].Raw("servername"), "\"tab\\u0009here \\\"q\\\" back\\\\slash\\u000Anew\"");
    EXPECT_EQ(log[2].Raw("buf"), "47 00 F6");  // exactly buflen bytes, no more
    EXPECT_LT(log[0].Number("seq"), log[1].Number("seq"));
}

TEST_F(StandinTest, UnreadableArgumentsAreLoggedNotFollowed) {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    auto* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, si.dwPageSize * 2, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old));
    // A text that runs into the inaccessible page without its terminator.
    auto* tail = reinterpret_cast<wchar_t*>(pages + si.dwPageSize - 4);
    tail[0] = L'A';
    tail[1] = L'B';
    EXPECT_EQ(Send(tail, L"x", L"y", pages + si.dwPageSize - 2, 4), 0u);
    const auto log = Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Raw("servername.utf16"), "UNREADABLE");
    EXPECT_EQ(log[0].Raw("buf"), "UNREADABLE");
    EXPECT_THROW(log[0].Wide("servername"), std::runtime_error);
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(StandinTest, ScriptedResultsAreConsumedInOrderAndTheLastRepeats) {
    standin::Script s;
    s.SendResults = {0, 2273, 50};
    UseScript(s);
    std::vector<DWORD> got;
    for (int i = 0; i < 5; ++i) got.push_back(Send(L"S", L"T", L"F", nullptr, 0));
    EXPECT_EQ(got, (std::vector<DWORD>{0, 2273, 50, 50, 50}));

    UseScript(s);  // written anew: starts from the top again
    EXPECT_EQ(Send(L"S", L"T", L"F", nullptr, 0), 0u);

    s.SendResults = {2136};
    standin::WriteScript(ScriptPath, s);
    EXPECT_EQ(Send(L"S", L"T", L"F", nullptr, 0), 2136u);

    // A script for only one function leaves the other at its default.
    EXPECT_EQ(Enumerate().Status, 0u);
    const auto log = Log();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[4].Number("result"), 50u);
}

TEST_F(StandinTest, RecipientResultsComeFirstAndDelayedCallsWaitSideBySide) {
    standin::Script s;
    s.SendResults = {2136};
    s.SendResultsTo = {{u"PC02", 2273}, {u"\u015eUBE", 53}};
    s.SendDelayMs = 400;
    UseScript(s);
    ASSERT_EQ(standin::ParseScript(s.Text()).Lines.SendResultsTo, s.SendResultsTo);
    struct TCall {
        const wchar_t* To;
        DWORD Result = 0;
        HANDLE Thread = nullptr;
        static DWORD WINAPI Run(void* p) {
            auto* call = static_cast<TCall*>(p);
            call->Result = Send(L"S", call->To, L"F", nullptr, 0);
            return 0;
        }
    };
    std::vector<TCall> calls = {{L"PC01"}, {L"PC02"}, {L"\u015eUBE"}};
    const DWORD start = GetTickCount();
    for (TCall& c : calls) {
        c.Thread = CreateThread(nullptr, 0, &TCall::Run, &c, 0, nullptr);
        ASSERT_NE(c.Thread, nullptr);
    }
    for (TCall& c : calls) {
        WaitForSingleObject(c.Thread, 10000);
        CloseHandle(c.Thread);
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(calls[0].Result, 2136u);  // no line for it: the queue answers
    EXPECT_EQ(calls[1].Result, 2273u);
    EXPECT_EQ(calls[2].Result, 53u);
    EXPECT_GE(elapsed, 400u);
    EXPECT_LT(elapsed, 1150u) << "three delayed calls took turns instead of waiting together";
    for (const auto& r : Log()) EXPECT_GE(r.Number("left") - r.Number("entered"), 390u);
}

TEST_F(StandinTest, BrokenOrMissingScriptIsReportedAsAnError) {
    SetEnvironmentVariableA(standin::kScriptVariable, (ScriptPath + ".missing").c_str());
    EXPECT_EQ(Send(L"S", L"T", L"F", nullptr, 0), standin::kScriptErrorResult);

    HANDLE f = CreateFileA(ScriptPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    const char text[] = "NetMessageBufferSend 0\nNetServerEnum zero 0\n";
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);
    SetEnvironmentVariableA(standin::kScriptVariable, ScriptPath.c_str());
    TEnumCall c = Enumerate();
    EXPECT_EQ(c.Status, standin::kScriptErrorResult);
    EXPECT_EQ(c.Read, 0u);
    EXPECT_EQ(c.Buffer, nullptr);

    const auto errors = standin::RecordsOf(Log(), "ScriptError");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].Raw("function"), "NetMessageBufferSend");
    EXPECT_NE(errors[0].Raw("reason").find(".missing"), std::string::npos);
    EXPECT_EQ(errors[1].Raw("function"), "NetServerEnum");
    EXPECT_EQ(errors[1].Number("line"), 2u);
}

TEST_F(StandinTest, QueuePositionThatCannotBeKeptIsAnError) {
    standin::Script s;
    s.SendResults = {0, 2273};
    UseScript(s);
    const std::string state = standin::StatePathFor(ScriptPath);
    ASSERT_TRUE(CreateDirectoryA(state.c_str(), nullptr));  // a folder where the state file belongs
    const DWORD first = Send(L"S", L"T", L"F", nullptr, 0);
    const DWORD second = Send(L"S", L"T", L"F", nullptr, 0);
    RemoveDirectoryA(state.c_str());
    EXPECT_EQ(first, standin::kScriptErrorResult);
    EXPECT_EQ(second, standin::kScriptErrorResult);
    const auto errors = standin::RecordsOf(Log(), "ScriptError");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].Raw("reason").find(".state"), std::string::npos);
}

TEST_F(StandinTest, EnumerationWithoutScriptFindsNobody) {
    const TEnumCall c = Enumerate(0);
    EXPECT_EQ(c.Status, 0u);
    EXPECT_EQ(c.Read, 0u);
    EXPECT_EQ(c.Total, 0u);
    EXPECT_EQ(c.Buffer, nullptr);
    EXPECT_EQ(c.Resume, 0u);
}

TEST_F(StandinTest, EnumerationHandsOutScriptedRecordsAndResumeHandles) {
    const std::u16string longName(5000, u'Ğ');
    standin::Script s;
    s.EnumResults = {
        {234, 9, {standin::AnsiName("PC01"), standin::AnsiName("PC02")}},
        {0, 0, {standin::Name(), standin::AnsiName("ÇALIŞMA"), standin::Name(longName)}},
    };
    UseScript(s);
    const TEnumCall first = Enumerate(0);
    EXPECT_EQ(first.Status, 234u);
    EXPECT_EQ(first.Resume, 9u);
    EXPECT_EQ(first.Names, (std::vector<std::wstring>{L"PC01", L"PC02"}));
    EXPECT_EQ(first.Total, 2u);
    const TEnumCall second = Enumerate(first.Resume);
    EXPECT_EQ(second.Status, 0u);
    EXPECT_EQ(second.Resume, 0u);
    EXPECT_EQ(second.NullNames, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(second.Names[1], W("ÇALIŞMA"));
    EXPECT_EQ(second.Names[2], W(longName));

    const auto calls = standin::RecordsOf(Log(), "NetServerEnum");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Wide("servername"), u"");
    EXPECT_EQ(calls[0].Number("level"), 100u);
    EXPECT_EQ(calls[0].Raw("prefmaxlen"), "0xFFFFFFFF");
    EXPECT_EQ(calls[0].Raw("servertype"), "0xFFFFFFFF");
    EXPECT_TRUE(calls[0].IsNull("domain"));
    EXPECT_EQ(calls[0].Number("resume"), 0u);
    EXPECT_EQ(calls[0].Number("resume.out"), 9u);
    EXPECT_EQ(calls[1].Number("resume"), 9u);
    EXPECT_EQ(calls[1].Number("entries"), 3u);
    EXPECT_TRUE(standin::UnfreedBuffers(Log()).empty());
}

TEST_F(StandinTest, InvalidEnumerationArgumentsAreRefusedWithoutConsumingTheScript) {
    standin::Script s;
    s.EnumResults = {{0, 0, {standin::AnsiName("FIRST")}}, {0, 0, {standin::AnsiName("SECOND")}}};
    UseScript(s);
    BYTE* buf = reinterpret_cast<BYTE*>(1);
    DWORD read = 5, total = 5;
    EXPECT_EQ(Enum(L"", 101, &buf, 0xFFFFFFFF, &read, &total, 0xFFFFFFFF, nullptr, nullptr), 124u);
    EXPECT_EQ(Enum(L"", 100, nullptr, 0xFFFFFFFF, &read, &total, 0xFFFFFFFF, nullptr, nullptr), 87u);
    EXPECT_EQ(Enum(L"", 100, &buf, 0xFFFFFFFF, nullptr, &total, 0xFFFFFFFF, nullptr, nullptr), 87u);
    EXPECT_EQ(Enumerate().Names, std::vector<std::wstring>{L"FIRST"});
    const auto calls = standin::RecordsOf(Log(), "NetServerEnum");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].Number("level"), 101u);
    EXPECT_EQ(calls[1].Raw("bufptr"), "NULL");
    EXPECT_EQ(calls[2].Raw("entriesread"), "NULL");
    EXPECT_EQ(calls[0].Raw("resume"), "NULL");
}

TEST_F(StandinTest, BufferFreeKnowsItsOwnBuffers) {
    standin::Script s;
    s.EnumResults = {{0, 0, {standin::AnsiName("PC01")}}};
    UseScript(s);
    const TEnumCall c = Enumerate(0, true);
    ASSERT_NE(c.Buffer, nullptr);
    EXPECT_EQ(standin::UnfreedBuffers(Log()).size(), 1u);
    int local = 0;
    EXPECT_EQ(Free(&local), 87u);
    EXPECT_EQ(Free(nullptr), 0u);
    EXPECT_EQ(Free(c.Buffer), 0u);
    EXPECT_EQ(Free(c.Buffer), 87u);  // a second free is caught, not passed to the heap

    const auto frees = standin::RecordsOf(Log(), "NetApiBufferFree");
    ASSERT_EQ(frees.size(), 4u);
    const char* ours[] = {"no", "no", "yes", "no"};
    for (size_t i = 0; i < frees.size(); ++i) EXPECT_EQ(frees[i].Raw("ours"), ours[i]) << i;
    EXPECT_EQ(frees[2].Number("outstanding"), 0u);
    EXPECT_TRUE(standin::UnfreedBuffers(Log()).empty());
}

TEST_F(StandinTest, LogWithoutVariableGoesToTheCurrentFolder) {
    char cwd[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, cwd), 0u);
    const std::string folder = LogPath + ".dir";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    SetEnvironmentVariableA(standin::kLogVariable, nullptr);
    const DWORD result = Send(L"S", L"T", L"F", nullptr, 0);
    SetCurrentDirectoryA(cwd);
    const std::string file = folder + "\\" + standin::kDefaultLogName;
    const auto log = standin::ReadLog(file);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ(result, 0u);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Ansi("msgname"), "T");
}

TEST_F(StandinTest, UnwritableLogMakesTheCallFail) {
    SetEnvironmentVariableA(standin::kLogVariable, (LogPath + ".nofolder\\x.log").c_str());
    EXPECT_EQ(Send(L"S", L"T", L"F", nullptr, 0), 29u);
}

}  // namespace
