// The texts of the program's own failures outside the send roads: windows, threads, the settings file, the tray
// icon, start-up and the catch-all. One function per failure, so the wording lives in one place.
#pragma once
#include <cstdint>
#include <string>
#include <optional>
#include <string_view>

// A failure box: what happened (a full stop added), the system's own words if any, what to do next, and
// "(hata kodu <code>)" last; each on a line of its own.
std::string FailureBox(std::string_view what, std::string_view detail, std::string_view next,
    std::optional<int64_t> code);

// CreateWindowExA refused one of the program's windows (control name, last error).
std::string WindowNotCreatedText(std::string_view name, uint32_t code);

// The tray icon's picture could not be copied, or its animation timer not started (last error).
std::string TrayPictureNotCopiedText(uint32_t code);
std::string TrayAnimationNotStartedText(uint32_t code);

// A settings text that the file cannot hold: which part of the line, and why.
enum class TSettingsPart { Section, Key, Value };
enum class TRefusedCharacter { LineBreak, EqualsSign };
std::string SettingsTextRefusedText(std::string_view path, TSettingsPart part, TRefusedCharacter refused);
// A stored value longer than the program reads.
std::string SettingsValueTooLongText(std::string_view path, std::string_view key, size_t maxLength);
// The Windows directory, where the file lives, could not be found at start-up.
std::string SettingsDirectoryUnknownText(std::string_view fileName);

// An event or semaphore could not be made (last error), or a helper thread not started (the runtime's errno).
enum class TSyncObject { Event, Semaphore };
std::string SyncObjectNotCreatedText(TSyncObject object, uint32_t code);
std::string ThreadNotStartedText(int errnoValue);

// A window built at start-up is missing because building it failed then.
enum class TStartUpWindow { History, BulkPicker };
std::string StartUpWindowMissingText(TStartUpWindow window);

// A bulk send was asked for while the previous one still runs.
std::string BulkSendRunningText();

// Said under the enumeration's own text when the workgroup's browse master did not give the list either.
std::string BrowseListUnavailableText();

// A fault of the program itself that a user can only report (an index no list has, a component the layout lacks);
// `detail` names it in Turkish.
std::string InternalFaultText(std::string_view detail);
std::string NoSuchItemText(int index);
// The computer list took no more names.
std::string ListFullText();

// The catch-all: a failure that carries no text of the program's own, and running out of memory.
std::string UnexpectedFailureText();
std::string OutOfMemoryText();
