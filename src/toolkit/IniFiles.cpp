// The settings accessor over GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "toolkit/IniFiles.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "core/ProgramTexts.h"

namespace {

// The profile writer puts texts into lines as they are: a line break or a NUL would cut the value or smuggle
// other keys into the file, and a key holding "=" could never be read back.
void CheckWritable(const std::string& fileName, TSettingsPart part, const std::string& text)
{
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        throw EIniFileException(SettingsTextRefusedText(fileName, part, TRefusedCharacter::LineBreak));
    if (part == TSettingsPart::Key && text.find('=') != std::string::npos)
        throw EIniFileException(SettingsTextRefusedText(fileName, part, TRefusedCharacter::EqualsSign));
}

}  // namespace

bool TIniFile::SectionExists(const std::string& section) const
{
    std::vector<char> names(kSectionBufferSize);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                                  static_cast<DWORD>(names.size()), FileName().c_str());
    return length > 0;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const
{
    // The platform cuts a value that does not fit to size - 1 characters and says only that by its length,
    // so a full buffer is read again into a bigger one instead of handing back a shortened value.
    std::vector<char> buffer(kReadBufferSize);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer.data(),
                                                size, FileName().c_str());
        if (length + 1 < size)
            return std::string(buffer.data(), length);
        if (size >= kMaxValueLength + 2)
            throw EIniFileException(SettingsValueTooLongText(FileName(), ident, kMaxValueLength));
        buffer.assign(static_cast<size_t>(size) * 2, '\0');
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    CheckWritable(FileName(), TSettingsPart::Section, section);
    CheckWritable(FileName(), TSettingsPart::Key, ident);
    CheckWritable(FileName(), TSettingsPart::Value, value);
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FileName().c_str()))
        throw EIniFileException("Unable to write to " + FileName());
}
