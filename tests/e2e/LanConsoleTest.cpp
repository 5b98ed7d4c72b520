// varnelc.exe on the test network (tests/lan/with-lan.sh): the Samba computers that the browse master lists are the
// workgroup; the run stand-in of netapi32 answers as a Windows without SMB1 (6118 for the list, 50 for a send), so the
// list comes from the master and every message goes by the direct delivery.
#include <gtest/gtest.h>

#include <algorithm>

#include "ConsoleRun.h"
#include "LanFolders.h"
#include "standin/WtsStandinProtocol.h"

namespace {

using namespace e2e;

class LanConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(Variable("VARNEL_LAN_DIR").empty()) << "run through tests/lan/with-lan.sh";
        for (const std::string& f : ArrivedMessages())
            DeleteFileA((MessageFolder() + "\\" + f.substr(0, f.find(':'))).c_str());
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\varnelc.exe").c_str(), Scenario.PathOf("varnelc.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\..\\run\\netapi32.dll").c_str(), Scenario.PathOf("netapi32.dll").c_str(),
            FALSE)) << "build the netapi32_run target";
        // The recipients' sessions are recorded, so that a message they carried would show.
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\wtsapi32.dll").c_str(), Scenario.PathOf("wtsapi32.dll").c_str(), FALSE));
        wtsstandin::Script withoutRoad;
        withoutRoad.SessionsError = wtsstandin::kRpcServerUnavailable;
        wtsstandin::WriteScript(Scenario.PathOf("wtsapi32.script"), withoutRoad);
        SetEnvironmentVariableA(wtsstandin::kScriptVariable, Scenario.PathOf("wtsapi32.script").c_str());
        SetEnvironmentVariableA(wtsstandin::kLogVariable, Scenario.PathOf("wtsapi32.log").c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA(wtsstandin::kScriptVariable, nullptr);
        SetEnvironmentVariableA(wtsstandin::kLogVariable, nullptr);
    }

    TConsoleRun Run(const std::string& arguments) { return RunConsoleProgram(Scenario, Scenario.PathOf("varnelc.exe"), arguments); }

    TScenario Scenario;
};

TEST_F(LanConsoleTest, TheWholeWorkgroupGetsTheMessageByTheDirectDelivery)
{
    const std::vector<std::string> computers = Split(Variable("VARNEL_LAN_COMPUTERS"), ',');
    ASSERT_GE(computers.size(), 3u) << "OFIS1 and its aliases";

    const TConsoleRun list = Run("/liste");
    EXPECT_EQ(list.Code, 0u) << list.Err;
    std::string expected;
    for (const std::string& name : computers)
        expected += name + "\r\n";
    EXPECT_EQ(list.Out, expected);
    std::printf("varnelc /liste:\n%s", list.Out.c_str());

    const TConsoleRun send = Run("/kime:* \"/mesaj:Sunucu 10 dakika sonra yeniden baslayacak\"");
    EXPECT_EQ(send.Code, 0u) << send.Err;
    std::printf("varnelc /kime:* (exit %lu):\n%s", static_cast<unsigned long>(send.Code), send.Out.c_str());
    for (const std::string& name : computers)
        EXPECT_NE(send.Out.find(InCodePage(name + ": gönderildi\r\n", GetOEMCP())), std::string::npos) << name;

    const std::vector<std::string> arrived = WaitForArrivals(computers.size());
    ASSERT_EQ(arrived.size(), computers.size());
    for (const std::string& message : arrived) {
        EXPECT_EQ(message.substr(message.find(':') + 1), "Sunucu 10 dakika sonra yeniden baslayacak") << message;
        std::printf("arrived %s\n", message.c_str());
    }
    EXPECT_TRUE(standin::RecordsOf(standin::ReadLog(Scenario.PathOf("wtsapi32.log")), "WTSSendMessageA").empty())
        << "the direct delivery took them";
}

} // namespace
