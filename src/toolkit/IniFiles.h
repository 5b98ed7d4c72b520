// The settings accessor: keys of a profile ("INI") file, read and written through the platform on every call.
#pragma once
#include <string>

#include "core/Exceptions.h"
#include "toolkit/Classes.h"

// A settings file could not be read or written as asked.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const { return FFileName; }

    // A section that is present but holds no key counts as missing.
    virtual bool SectionExists(const std::string& section) const = 0;
    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) const = 0;
    // Creates the file and the section when they are missing; raises EIniFileException on failure.
    virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;

private:
    std::string FFileName;
};

class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;

    static constexpr unsigned kReadBufferSize = 2048;
    static constexpr unsigned kSectionBufferSize = 16384;
    // Longer values are refused rather than cut.
    static constexpr unsigned kMaxValueLength = 1024 * 1024 - 2;

    bool SectionExists(const std::string& section) const override;
    // The value with the platform's rules applied (surrounding blanks and enclosing quotes removed).
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
};
