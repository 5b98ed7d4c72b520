// The script and log formats of the recording netapi32 stand-in, shared by the stand-in and the tests.
//
// Configuration, read at every call from the calling process's environment:
//   NETAPI_STANDIN_LOG     path of the log file (default "netapi32-standin.log" in the current folder)
//   NETAPI_STANDIN_SCRIPT  path of a script file; when the variable is absent every NetMessageBufferSend
//                          answers 0 and every NetServerEnum answers status 0 with no records. When it is set
//                          but the file cannot be read, the call logs a ScriptError record and answers 13.
//
// Script: one result per line, queued per function and consumed one per call in order; when a function's
// queue is exhausted its last line repeats. A function without lines keeps the defaults above. Blank lines
// and lines starting with '#' are ignored. Numbers are 32-bit unsigned, decimal or 0x-hexadecimal.
//   NetMessageBufferSend <result>
//   NetMessageBufferSendTo <name> <result>    every call to that recipient answers this, consuming nothing
//   NetMessageBufferSendDelay <milliseconds>  every call waits this long first; callers wait side by side
//   NetServerEnumDelay <milliseconds>         every enumeration waits this long first
//   NetServerEnum <status> <resume handle written back> [<name> ...]
// A name is NULL (a record whose name pointer is null), a bare word (UTF-8, no blanks, not NULL), or a quoted
// text "..." in UTF-8 with the escapes \" \\ and \uXXXX (one UTF-16 unit). NetServerEnum hands out its names
// at level 100 with whatever status is scripted, ignores prefmaxlen and reports every name as read and in
// total; with no names it returns a null buffer. Calls with invalid arguments (a null output pointer, a level
// other than 100) answer 87 or 124 and consume nothing.
// How far the queues have been consumed lives in "<script>.state" beside the script, so that every process
// of one scenario shares it; it restarts whenever the script's content changes, and WriteScript deletes it.
//
// Log: one line per call, appended and flushed before the call returns; fields are separated by a tab:
//   <Function> pid=<n> seq=<n per process> <key>=<value> ...
//   NetMessageBufferSend servername msgname fromname (each as a wide string) buf=<hex bytes> buflen=<n> result
//                 entered left (GetTickCount when the call came in and when it answered)
//   NetServerEnum servername level bufptr prefmaxlen entriesread totalentries servertype domain resume result
//                 entries buffer [resume.out]
//   NetApiBufferFree buffer ours=yes|no result outstanding=<buffers handed out and not yet freed>
//   ScriptError function line reason
// A wide string argument <a> gives two fields: <a>=NULL or <a>="<UTF-8 text, escaped>", and <a>.utf16=NULL or
// the hexadecimal UTF-16 units separated by blanks (empty for an empty text). Byte buffers are NULL or
// hexadecimal bytes separated by blanks. Pointer arguments that are only checked log NULL or nonnull; masks
// and pointers are 0x-hexadecimal, counts and codes decimal; memory that cannot be read logs UNREADABLE.
#pragma once
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace standin {

inline constexpr const char* kLogVariable = "NETAPI_STANDIN_LOG";
inline constexpr const char* kScriptVariable = "NETAPI_STANDIN_SCRIPT";
inline constexpr const char* kDefaultLogName = "netapi32-standin.log";
inline constexpr uint32_t kScriptErrorResult = 13;  // ERROR_INVALID_DATA

inline std::string StatePathFor(const std::string& scriptPath) { return scriptPath + ".state"; }

// Code page 1254 <-> UTF-16. Bytes 0x80-0x9F and six Turkish letters differ from Latin-1; unassigned bytes map
// to the control code of the same value, as the platform's conversion does.
inline char16_t Cp1254ToUnit(unsigned char c) {
    static const char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};
    if (c >= 0x80 && c <= 0x9F) return kHigh[c - 0x80];
    switch (c) {
    case 0xD0: return 0x011E;
    case 0xDD: return 0x0130;
    case 0xDE: return 0x015E;
    case 0xF0: return 0x011F;
    case 0xFD: return 0x0131;
    case 0xFE: return 0x015F;
    default: return c;
    }
}

inline std::u16string WideFromAnsi(const std::string& cp1254) {
    std::u16string out;
    out.reserve(cp1254.size());
    for (unsigned char c : cp1254) out.push_back(Cp1254ToUnit(c));
    return out;
}

// Units without a cp1254 byte become '?', like the platform's default character.
inline std::string AnsiFromWide(const std::u16string& wide) {
    std::string out;
    out.reserve(wide.size());
    for (char16_t u : wide) {
        char byte = '?';
        if (u < 0x80) {
            byte = static_cast<char>(u);
        } else {
            for (int c = 0x80; c <= 0xFF; ++c)
                if (Cp1254ToUnit(static_cast<unsigned char>(c)) == u) { byte = static_cast<char>(c); break; }
        }
        out.push_back(byte);
    }
    return out;
}

inline void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Unpaired surrogates become U+FFFD here; the .utf16 field keeps them exactly.
inline std::string Utf8FromWide(const std::u16string& wide) {
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t u = wide[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            u = 0xFFFD;
        }
        AppendUtf8(out, u);
    }
    return out;
}

// Malformed UTF-8 throws: a script must say exactly what it means.
inline std::u16string WideFromUtf8(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) throw std::runtime_error("malformed UTF-8");
        uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) throw std::runtime_error("malformed UTF-8");
            cp = (cp << 6) | (c & 0x3F);
        }
        i += extra + 1;
        if (cp > 0x10FFFF) throw std::runtime_error("malformed UTF-8");
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

inline std::string Hex(uint32_t value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(value));
    return buf;
}

// Escapes a log text so that it never holds a tab, a line break or a bare quote.
inline std::string QuoteForLog(const std::u16string& wide) {
    std::string out = "\"";
    for (size_t i = 0; i < wide.size(); ++i) {
        const char16_t u = wide[i];
        const bool lead = u >= 0xD800 && u <= 0xDBFF;
        const bool paired = lead && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
        if (u == '"' || u == '\\') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x20 || u == 0x7F || (u >= 0xD800 && u <= 0xDFFF && !paired)) {
            out += "\\u" + Hex(u, 4);
        } else if (paired) {
            out += Utf8FromWide(wide.substr(i, 2));
            ++i;
        } else {
            AppendUtf8(out, u);
        }
    }
    return out + "\"";
}

// Quoted script names use \uXXXX for everything outside printable ASCII, so a script is plain ASCII.
inline std::string QuoteForScript(const std::u16string& wide) {
    std::string out = "\"";
    for (char16_t u : wide) {
        if (u == '"' || u == '\\') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            out += "\\u" + Hex(u, 4);
        }
    }
    return out + "\"";
}

inline std::string HexUnits(const std::u16string& wide) {
    std::string out;
    for (size_t i = 0; i < wide.size(); ++i) {
        if (i) out += ' ';
        out += Hex(wide[i], 4);
    }
    return out;
}

inline std::string HexBytes(const uint8_t* data, size_t size) {
    std::string out;
    out.reserve(size * 3);
    for (size_t i = 0; i < size; ++i) {
        if (i) out += ' ';
        out += Hex(data[i], 2);
    }
    return out;
}

// Parses a whole 32-bit unsigned number; anything else throws.
inline uint32_t ParseNumber(const std::string& text) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') throw std::runtime_error("not a number: " + text);
    size_t used = 0;
    unsigned long long v = 0;
    try {
        v = std::stoull(text, &used, 0);
    } catch (const std::exception&) {
        throw std::runtime_error("not a number: " + text);
    }
    if (used != text.size() || v > 0xFFFFFFFFull) throw std::runtime_error("not a 32-bit number: " + text);
    return static_cast<uint32_t>(v);
}

inline std::vector<uint32_t> ParseHexList(const std::string& text, int digits) {
    std::vector<uint32_t> out;
    std::istringstream in(text);
    std::string item;
    while (in >> item) {
        if (static_cast<int>(item.size()) != digits) throw std::runtime_error("bad hex item: " + item);
        out.push_back(ParseNumber("0x" + item));
    }
    return out;
}

// ---- scripts -------------------------------------------------------------------------------------------

using Name = std::optional<std::u16string>;  // nullopt: a record whose name pointer is null

inline Name AnsiName(const std::string& cp1254) { return WideFromAnsi(cp1254); }

struct EnumResult {
    uint32_t Status = 0;
    uint32_t Resume = 0;
    std::vector<Name> Names;
};

struct Script {
    std::vector<uint32_t> SendResults;
    std::vector<std::pair<std::u16string, uint32_t>> SendResultsTo;  // per recipient, before the queue
    uint32_t SendDelayMs = 0;
    uint32_t EnumDelayMs = 0;
    std::vector<EnumResult> EnumResults;

    // The answer scripted for this recipient, if any.
    std::optional<uint32_t> ResultFor(const std::u16string& recipient) const {
        for (const auto& r : SendResultsTo)
            if (r.first == recipient) return r.second;
        return std::nullopt;
    }

    std::string Text() const {
        std::string out = "# netapi32 stand-in script\n";
        for (uint32_t r : SendResults) {
            out += "NetMessageBufferSend ";
            out += std::to_string(r);
            out += '\n';
        }
        for (const auto& r : SendResultsTo)
            out += "NetMessageBufferSendTo " + QuoteForScript(r.first) + " " + std::to_string(r.second) + "\n";
        if (SendDelayMs) out += "NetMessageBufferSendDelay " + std::to_string(SendDelayMs) + "\n";
        if (EnumDelayMs) out += "NetServerEnumDelay " + std::to_string(EnumDelayMs) + "\n";
        for (const EnumResult& e : EnumResults) {
            out += "NetServerEnum ";
            out += std::to_string(e.Status);
            out += ' ';
            out += std::to_string(e.Resume);
            for (const Name& n : e.Names) {
                out += ' ';
                out += n ? QuoteForScript(*n) : std::string("NULL");
            }
            out += '\n';
        }
        return out;
    }
};

// Splits a script line into tokens; quoted tokens come back unescaped with a flag that they were quoted.
struct Token {
    std::u16string Text;
    bool Quoted = false;
};

inline std::vector<Token> Tokenize(const std::string& line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') { ++i; continue; }
        Token t;
        if (line[i] == '"') {
            t.Quoted = true;
            std::string utf8;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') { closed = true; break; }
                if (c != '\\') { utf8 += c; continue; }
                if (i >= line.size()) break;
                const char e = line[i++];
                if (e == '"' || e == '\\') {
                    utf8 += e;
                } else if (e == 'u' && i + 4 <= line.size()) {
                    t.Text += WideFromUtf8(utf8);
                    utf8.clear();
                    t.Text.push_back(static_cast<char16_t>(ParseNumber("0x" + line.substr(i, 4))));
                    i += 4;
                } else {
                    throw std::runtime_error("bad escape in quoted name");
                }
            }
            if (!closed) throw std::runtime_error("unterminated quoted name");
            t.Text += WideFromUtf8(utf8);
        } else {
            const size_t end = line.find_first_of(" \t\r", i);
            const std::string word = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
            if (word.find('"') != std::string::npos) throw std::runtime_error("quote inside a bare word");
            t.Text = WideFromUtf8(word);
            i = end == std::string::npos ? line.size() : end;
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

// The parsed script; Error holds the first problem and its line, and then nothing else may be trusted.
struct ParsedScript {
    Script Lines;
    std::string Error;
    int ErrorLine = 0;
};

inline std::string AsciiOf(const std::u16string& w) {
    std::string s;
    for (char16_t u : w) s.push_back(u < 0x80 ? static_cast<char>(u) : '?');
    return s;
}

// Hands every line of a script to parseLine; the first exception it throws ends the reading, and its text and
// the line's number come back in error and errorLine (false).
template <typename ParseLine>
bool ForEachScriptLine(const std::string& text, ParseLine parseLine, std::string& error, int& errorLine) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        try {
            parseLine(line);
        } catch (const std::exception& e) {
            error = e.what();
            errorLine = number;
            return false;
        }
    }
    return true;
}

// Writes a script's text; a stand-in notices the new content at its next call.
inline void WriteScriptText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write the stand-in script " + path);
}

inline ParsedScript ParseScript(const std::string& text) {
    ParsedScript result;
    ForEachScriptLine(text, [&](const std::string& line) {
        const std::vector<Token> tokens = Tokenize(line);
        if (tokens.empty() || (!tokens[0].Quoted && !tokens[0].Text.empty() && tokens[0].Text[0] == '#')) return;
        const std::string function = AsciiOf(tokens[0].Text);
        if (function == "NetMessageBufferSend" && tokens.size() == 2 && !tokens[1].Quoted) {
            result.Lines.SendResults.push_back(ParseNumber(AsciiOf(tokens[1].Text)));
        } else if (function == "NetMessageBufferSendTo" && tokens.size() == 3 && !tokens[2].Quoted) {
            result.Lines.SendResultsTo.emplace_back(tokens[1].Text, ParseNumber(AsciiOf(tokens[2].Text)));
        } else if (function == "NetMessageBufferSendDelay" && tokens.size() == 2 && !tokens[1].Quoted) {
            result.Lines.SendDelayMs = ParseNumber(AsciiOf(tokens[1].Text));
        } else if (function == "NetServerEnumDelay" && tokens.size() == 2 && !tokens[1].Quoted) {
            result.Lines.EnumDelayMs = ParseNumber(AsciiOf(tokens[1].Text));
        } else if (function == "NetServerEnum" && tokens.size() >= 3 && !tokens[1].Quoted && !tokens[2].Quoted) {
            EnumResult e;
            e.Status = ParseNumber(AsciiOf(tokens[1].Text));
            e.Resume = ParseNumber(AsciiOf(tokens[2].Text));
            for (size_t k = 3; k < tokens.size(); ++k) {
                const bool isNull = !tokens[k].Quoted && tokens[k].Text == u"NULL";
                e.Names.push_back(isNull ? Name() : Name(tokens[k].Text));
            }
            result.Lines.EnumResults.push_back(std::move(e));
        } else {
            throw std::runtime_error("not a script line");
        }
    }, result.Error, result.ErrorLine);
    return result;
}

// ---- log records ---------------------------------------------------------------------------------------

struct Record {
    std::string Function;
    std::vector<std::pair<std::string, std::string>> Fields;

    bool Has(const std::string& key) const {
        for (const auto& f : Fields)
            if (f.first == key) return true;
        return false;
    }
    const std::string& Raw(const std::string& key) const {
        for (const auto& f : Fields)
            if (f.first == key) return f.second;
        throw std::runtime_error(Function + " record has no field " + key);
    }
    uint32_t Number(const std::string& key) const { return ParseNumber(Raw(key)); }
    // Wide string arguments.
    bool IsNull(const std::string& arg) const { return Raw(arg + ".utf16") == "NULL"; }
    std::u16string Wide(const std::string& arg) const {
        const std::string& raw = Raw(arg + ".utf16");
        if (raw == "NULL" || raw == "UNREADABLE") throw std::runtime_error(arg + " is " + raw);
        std::u16string out;
        for (uint32_t u : ParseHexList(raw, 4)) out.push_back(static_cast<char16_t>(u));
        return out;
    }
    std::string Ansi(const std::string& arg) const { return AnsiFromWide(Wide(arg)); }
    std::string Utf8(const std::string& arg) const { return Utf8FromWide(Wide(arg)); }
    // Byte buffers (the message).
    std::vector<uint8_t> Bytes(const std::string& key) const {
        const std::string& raw = Raw(key);
        if (raw == "NULL" || raw == "UNREADABLE") throw std::runtime_error(key + " is " + raw);
        std::vector<uint8_t> out;
        for (uint32_t b : ParseHexList(raw, 2)) out.push_back(static_cast<uint8_t>(b));
        return out;
    }
    // The message buffer read as little-endian UTF-16 units (an odd last byte is dropped).
    std::u16string BufferUnits(const std::string& key = "buf") const {
        const std::vector<uint8_t> bytes = Bytes(key);
        std::u16string out;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) out.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
        return out;
    }
};

// Only complete lines count: a writer in another process may be half-way through the last one.
inline std::vector<Record> ParseLog(const std::string& content) {
    std::vector<Record> records;
    size_t start = 0;
    for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        Record r;
        size_t pos = 0;
        bool first = true;
        while (pos <= line.size()) {
            const size_t tab = line.find('\t', pos);
            const std::string field = line.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos);
            if (first) {
                r.Function = field;
                first = false;
            } else {
                const size_t eq = field.find('=');
                if (eq == std::string::npos) throw std::runtime_error("malformed log field: " + field);
                r.Fields.emplace_back(field.substr(0, eq), field.substr(eq + 1));
            }
            if (tab == std::string::npos) break;
            pos = tab + 1;
        }
        records.push_back(std::move(r));
    }
    return records;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A missing log means no call has been recorded yet.
inline std::vector<Record> ReadLog(const std::string& path) { return ParseLog(ReadWholeFile(path)); }

inline std::vector<Record> RecordsOf(const std::vector<Record>& all, const std::string& function) {
    std::vector<Record> out;
    for (const Record& r : all)
        if (r.Function == function) out.push_back(r);
    return out;
}

// Buffers handed out by NetServerEnum that no NetApiBufferFree with ours=yes released (per process id).
inline std::vector<std::string> UnfreedBuffers(const std::vector<Record>& all) {
    std::vector<std::pair<std::string, std::string>> open;  // pid, buffer
    for (const Record& r : all) {
        if (r.Function == "NetServerEnum" && r.Has("buffer") && r.Raw("buffer") != "NULL") {
            open.emplace_back(r.Raw("pid"), r.Raw("buffer"));
        } else if (r.Function == "NetApiBufferFree" && r.Raw("ours") == "yes") {
            for (auto it = open.begin(); it != open.end(); ++it)
                if (it->first == r.Raw("pid") && it->second == r.Raw("buffer")) { open.erase(it); break; }
        }
    }
    std::vector<std::string> out;
    for (const auto& o : open) out.push_back(o.second);
    return out;
}

// Writes the script and forgets how far an earlier script was consumed.
inline void WriteScript(const std::string& path, const Script& script) {
    std::remove(StatePathFor(path).c_str());
    WriteScriptText(path, script.Text());
}

}  // namespace standin
