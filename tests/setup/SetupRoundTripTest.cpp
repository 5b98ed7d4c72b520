// The setup program's round trip under Wine, for all users and for one: silent installs, the installed program
// started once, silent uninstall.
// tests/setup/round-trip.sh runs it in a Wine prefix of its own with the setup program's path in VARNEL_SETUP.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "Driver.h"
#include "core/Version.h"

namespace {

using namespace e2e;

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnel";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kInstalledFiles[] = {"varnel.exe", "varnelc.exe", "BENIOKU.txt", "LICENSE.txt", "uninst.exe"};
constexpr DWORD kSetupTimeoutMs = 120000;

std::optional<std::string> RegString(HKEY root, const char* key, const char* name)
{
    char buf[1024];
    DWORD size = sizeof buf;
    DWORD type = 0;
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS || type != REG_SZ || size == 0)
        return std::nullopt;
    return std::string(buf, size - 1);
}

std::optional<DWORD> RegDword(HKEY root, const char* key, const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS || type != REG_DWORD)
        return std::nullopt;
    return value;
}

bool KeyExists(HKEY root, const char* key)
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

std::string KnownFolder(int csidl)
{
    char buf[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf)))
        throw std::runtime_error("no known folder " + std::to_string(csidl));
    return buf;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

DWORD FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// The program a shortcut starts, read through the shell as Explorer reads it.
std::string ShortcutTarget(const std::string& shortcut)
{
    std::string target;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(shortcut.begin(), shortcut.end());
        char buf[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = buf;
        file->Release();
    }
    link->Release();
    return target;
}

TStartOptions Command(const std::string& exe, const std::string& arguments = {})
{
    TStartOptions options;
    options.Exe = exe;
    options.Arguments = arguments;
    return options;
}

void RunSetup(const std::string& setup, const std::string& arguments)
{
    TProcess process(Command(setup, arguments));
    ASSERT_TRUE(process.WaitForExit(kSetupTimeoutMs)) << setup << " " << arguments << " did not finish";
    EXPECT_EQ(process.ExitCode(), std::optional<DWORD>(0)) << setup << " " << arguments;
}

// Where one installation puts things: for all users (Wine counts as an administrator) or, on request, for one.
struct TInstallMode {
    const char* Name;
    const char* Switch;  // added to the setup program's command line
    int ParentFolder;  // the known folder (CSIDL) that holds the installation folder
    const char* Folder;  // the installation folder below it
    int StartMenu;  // the known folder of the Start menu's programs
    HKEY Registration;  // where the uninstaller is registered
    HKEY Elsewhere;  // where it must not be
};

const TInstallMode kModes[] = {
    {"AllUsers", "", CSIDL_PROGRAM_FILES, "Varnel", CSIDL_COMMON_PROGRAMS, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER},
    {"CurrentUser", " /CURRENTUSER", CSIDL_LOCAL_APPDATA, "Programs\\Varnel", CSIDL_PROGRAMS, HKEY_CURRENT_USER,
     HKEY_LOCAL_MACHINE},
};

class SetupRoundTrip : public ::testing::TestWithParam<TInstallMode> {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};

TEST_P(SetupRoundTrip, InstallsStartsAndUninstallsLeavingOnlyTheSettings)
{
    const TInstallMode& mode = GetParam();
    const char* setup = std::getenv("VARNEL_SETUP");
    ASSERT_TRUE(setup && *setup) << "VARNEL_SETUP names no setup program";
    const std::string folder = KnownFolder(mode.ParentFolder) + "\\" + mode.Folder;
    const std::string exe = folder + "\\varnel.exe";
    const std::string shortcut = KnownFolder(mode.StartMenu) + "\\Varnel.lnk";
    ASSERT_FALSE(Exists(folder)) << "an earlier installation is in the way: " << folder;
    const std::string settings = "[AYARLAR]\r\nRENK=clYellow\r\nEDIT_RENK=clWhite\r\nFONT_RENK=clBlack\r\n";
    WriteIniFile(settings);

    // Without start with Windows, which is off by default.
    RunSetup(setup, std::string("/S") + mode.Switch);
    for (const char* name : kInstalledFiles)
        EXPECT_TRUE(Exists(folder + "\\" + name)) << name;
    EXPECT_EQ(lstrcmpiA(ShortcutTarget(shortcut).c_str(), exe.c_str()), 0) << ShortcutTarget(shortcut);
    const HKEY root = mode.Registration;
    EXPECT_EQ(RegString(root, kUninstallKey, "DisplayName"), "Varnel");
    EXPECT_EQ(RegString(root, kUninstallKey, "DisplayVersion"), VARNEL_VERSION_TEXT);
    EXPECT_EQ(RegString(root, kUninstallKey, "Publisher"), "Korvent Soft");
    EXPECT_EQ(RegString(root, kUninstallKey, "DisplayIcon"), exe + ",0");
    EXPECT_EQ(RegString(root, kUninstallKey, "UninstallString"), "\"" + folder + "\\uninst.exe\"");
    const std::optional<DWORD> sizeKb = RegDword(root, kUninstallKey, "EstimatedSize");
    ASSERT_TRUE(sizeKb.has_value());
    EXPECT_GE(*sizeKb, FileSize(exe) / 1024);
    EXPECT_LT(*sizeKb, 8 * 1024u);
    EXPECT_FALSE(KeyExists(mode.Elsewhere, kUninstallKey));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRunKey, "Varnel"), std::nullopt) << "start with Windows is off by default";

    // The installed program runs; installing again over it, now with start with Windows, first ends it through
    // its own message loop, and so does the uninstaller.
    TScenario scenario;
    TProcess& first = scenario.Start(Command(exe));
    ASSERT_NE(first.WaitForTopWindow("TForm1", "Korvent Soft", 20000), nullptr) << "the installed program did not start";
    // The console program runs beside it: no single-copy guard between the two.
    TProcess& console = scenario.Start(Command(folder + "\\varnelc.exe", "/?"));
    EXPECT_TRUE(console.WaitForExit(20000));
    EXPECT_EQ(console.ExitCode(), std::optional<DWORD>(0));
    RunSetup(setup, std::string("/S /AUTOSTART") + mode.Switch);
    EXPECT_TRUE(first.WaitForExit(10000)) << "the setup program did not end the running program";
    EXPECT_EQ(first.ExitCode(), std::optional<DWORD>(0));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRunKey, "Varnel"), "\"" + exe + "\"");

    TProcess& second = scenario.Start(Command(exe));
    ASSERT_NE(second.WaitForTopWindow("TForm1", "Korvent Soft", 20000), nullptr) << "the reinstalled program did not start";
    TProcess uninstaller(Command(folder + "\\uninst.exe", "/S"));
    EXPECT_TRUE(second.WaitForExit(30000)) << "the uninstaller did not end the running program";
    EXPECT_EQ(second.ExitCode(), std::optional<DWORD>(0));
    // The uninstaller runs from a copy of itself and removes the installation folder last.
    EXPECT_TRUE(WaitUntil([&] { return !Exists(folder); }, kSetupTimeoutMs)) << folder << " is left";
    for (const char* name : kInstalledFiles)
        EXPECT_FALSE(Exists(folder + "\\" + name)) << name;
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_FALSE(KeyExists(root, kUninstallKey));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRunKey, "Varnel"), std::nullopt);
    EXPECT_EQ(ReadIniFile(), settings) << "the user's settings must stay";
    DeleteIniFile();
}

INSTANTIATE_TEST_SUITE_P(Modes, SetupRoundTrip, ::testing::ValuesIn(kModes),
                         [](const ::testing::TestParamInfo<TInstallMode>& info) { return info.param.Name; });

} // namespace
