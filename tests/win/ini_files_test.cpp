// Tests of the settings accessor against real profile files in a private temporary folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "toolkit/IniFiles.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        FFolder = std::string(temp) + "varnel-ini-" + std::to_string(GetCurrentProcessId()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr)) << FFolder;
    }

    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((FFolder + "\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = FFolder + "\\" + found.cFileName;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(FFolder.c_str());
    }

    std::string PathOf(const std::string& name) const { return FFolder + "\\" + name; }

    std::string MakeFile(const std::string& name, const std::string& content) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    static std::string Content(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string FFolder;
};

TEST_F(IniFileTest, ReadsTheDefaultWhenFileSectionOrKeyIsMissing)
{
    TIniFile missing(PathOf("none.ini"));
    EXPECT_EQ(missing.ReadString("AYARLAR", "RENK", "clwindow"), "clwindow");
    EXPECT_EQ(missing.ReadString("AYARLAR", "RENK", ""), "");

    TIniFile ini(MakeFile("Varnel.Ini", "[BASKA]\r\nRENK=clRed\r\n[AYARLAR]\r\nRENK=clRed\r\n"));
    EXPECT_EQ(ini.ReadString("YOK", "RENK", "clBlack"), "clBlack");
    EXPECT_EQ(ini.ReadString("AYARLAR", "FONT_RENK", "clBlack"), "clBlack");
    EXPECT_EQ(ini.ReadString("AYARLAR", "RENK", "clBlack"), "clRed");
    EXPECT_EQ(ini.ReadString("ayarlar", "renk", ""), "clRed") << "section and key names ignore case";
}

TEST_F(IniFileTest, ReadingRemovesSurroundingBlanksAndEnclosingQuotes)
{
    TIniFile ini(MakeFile("Varnel.Ini", "[AYARLAR]\r\n"
                                          "A=  clRed  \r\n"
                                          "B=\"$00FF8080\"\r\n"
                                          "C=  \" spaced \"  \r\n"
                                          "D=\"open\r\n"
                                          "E=Kırmızı Ğ\r\n"));
    EXPECT_EQ(ini.ReadString("AYARLAR", "A", ""), "clRed");
    EXPECT_EQ(ini.ReadString("AYARLAR", "B", ""), "$00FF8080");
    EXPECT_EQ(ini.ReadString("AYARLAR", "C", ""), " spaced ");
    EXPECT_EQ(ini.ReadString("AYARLAR", "D", ""), "\"open") << "a lone quote stays";
    EXPECT_EQ(ini.ReadString("AYARLAR", "E", ""), "Kırmızı Ğ") << "code page 1254 bytes come back unchanged";
}

TEST_F(IniFileTest, WritingCreatesTheFileAndTheSectionInOrder)
{
    const std::string path = PathOf("Varnel.Ini");
    TIniFile ini(path);
    EXPECT_FALSE(ini.SectionExists("AYARLAR"));
    ini.WriteString("AYARLAR", "RENK", "$00FF8080");
    ini.WriteString("AYARLAR", "EDIT_RENK", "clWindow");
    ini.WriteString("AYARLAR", "FONT_RENK", "clWindowText");
    EXPECT_TRUE(ini.SectionExists("AYARLAR"));
    EXPECT_EQ(ini.ReadString("AYARLAR", "EDIT_RENK", ""), "clWindow");
    EXPECT_EQ(Content(path), "[AYARLAR]\r\nRENK=$00FF8080\r\nEDIT_RENK=clWindow\r\nFONT_RENK=clWindowText\r\n");

    // Another accessor on the same path sees the change at once: nothing is held between calls.
    ini.WriteString("AYARLAR", "RENK", "clRed");
    EXPECT_EQ(TIniFile(path).ReadString("AYARLAR", "RENK", ""), "clRed");
}

TEST_F(IniFileTest, AFailedWriteRaisesUnableToWriteWithThePath)
{
    const std::string noFolder = PathOf("missing\\Varnel.Ini");
    const std::string folder = PathOf("folder.ini");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    // A file that another program holds open without sharing. (A read-only attribute would do on Windows,
    // but Wine running as root writes such files all the same.)
    const std::string locked = MakeFile("locked.ini", "[AYARLAR]\r\nRENK=clRed\r\n");
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    for (const std::string& path : {noFolder, folder, locked}) {
        TIniFile ini(path);
        try {
            ini.WriteString("AYARLAR", "RENK", "clBlue");
            ADD_FAILURE() << "write reported success: " << path;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), "Unable to write to " + path);
        }
    }
    CloseHandle(lock);
    EXPECT_EQ(Content(locked), "[AYARLAR]\r\nRENK=clRed\r\n");
    RemoveDirectoryA(folder.c_str());
}

TEST_F(IniFileTest, TextsThatWouldBreakTheFileAreRefusedAndNothingIsWritten)
{
    const std::string path = MakeFile("Varnel.Ini", "[AYARLAR]\r\nRENK=clRed\r\n");
    TIniFile ini(path);
    const struct {
        std::string Section, Key, Value;
    } cases[] = {
        {"AYARLAR", "RENK", "clBlue\r\n[X]\r\nY=1"},
        {"AYARLAR", "RENK", std::string("clBlue\0x", 8)},
        {"AYARLAR", "RE=NK", "clBlue"},
        {"AYAR\nLAR", "RENK", "clBlue"},
    };
    for (const auto& c : cases)
        EXPECT_THROW(ini.WriteString(c.Section, c.Key, c.Value), EIniFileException) << c.Value;
    EXPECT_EQ(Content(path), "[AYARLAR]\r\nRENK=clRed\r\n");
}

TEST_F(IniFileTest, SectionExistsOnlyWithAtLeastOneKey)
{
    TIniFile missing(PathOf("none.ini"));
    EXPECT_FALSE(missing.SectionExists("AYARLAR"));

    TIniFile ini(MakeFile("Varnel.Ini", "[BOS]\r\n[AYARLAR]\r\nRENK=clRed\r\n[DEGER_YOK]\r\nRENK=\r\n"));
    EXPECT_FALSE(ini.SectionExists("YOK"));
    EXPECT_FALSE(ini.SectionExists("BOS")) << "a section without keys counts as missing";
    EXPECT_TRUE(ini.SectionExists("AYARLAR"));
    EXPECT_TRUE(ini.SectionExists("DEGER_YOK")) << "a key with an empty value is still a key";
}

TEST_F(IniFileTest, ValuesLongerThanTheFirstBufferComeBackWhole)
{
    std::string file = "[AYARLAR]\r\n";
    const size_t lengths[] = {2046, 2047, 2048, 5000, 40000};
    for (size_t length : lengths)
        file += "K" + std::to_string(length) + "=" + std::string(length - 1, '0') + "F\r\n";
    TIniFile ini(MakeFile("Varnel.Ini", file));
    for (size_t length : lengths) {
        const std::string value = ini.ReadString("AYARLAR", "K" + std::to_string(length), "");
        EXPECT_EQ(value.size(), length);
        EXPECT_EQ(value.back(), 'F') << length;
    }
    const std::string longDefault(3000, 'd');
    EXPECT_EQ(ini.ReadString("AYARLAR", "YOK", longDefault), longDefault);
}

TEST_F(IniFileTest, AValueBeyondTheLimitIsRefusedNotCut)
{
    const std::string path =
        MakeFile("Varnel.Ini", "[AYARLAR]\r\nRENK=" + std::string(TIniFile::kMaxValueLength + 10, 'a') + "\r\n");
    try {
        TIniFile(path).ReadString("AYARLAR", "RENK", "");
        ADD_FAILURE() << "an over-long value was returned";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Ayarlar dosyasındaki (" + path + ") RENK değeri okunamadı: " +
                                   std::to_string(TIniFile::kMaxValueLength) + " karakterden uzun.\r\n"
                                   "Dosyada bu satırı düzeltin ya da silin; Varnel o zaman renkleri yeniden okuyabilir.");
    }
}

}  // namespace
