// The wording of the program's own failures outside the send roads.
#include "core/ProgramTexts.h"

std::string WindowNotCreatedText(std::string_view name, uint32_t)
{
    return "Cannot create window " + std::string(name);
}

std::string TrayPictureNotCopiedText(uint32_t) { return "Cannot copy the tray icon's picture"; }

std::string TrayAnimationNotStartedText(uint32_t) { return "Cannot start the tray icon's animation"; }

std::string SettingsTextRefusedText(std::string_view path, TSettingsPart part, TRefusedCharacter refused)
{
    const char* what = part == TSettingsPart::Section ? "section" : part == TSettingsPart::Key ? "key" : "value";
    return "Unable to write to " + std::string(path) + ": the " + what + " holds " +
        (refused == TRefusedCharacter::LineBreak ? "a line break or NUL" : "\"=\"");
}

std::string SettingsValueTooLongText(std::string_view path, std::string_view key, size_t maxLength)
{
    return "Unable to read " + std::string(key) + " from " + std::string(path) + ": the value is longer than " +
        std::to_string(maxLength) + " characters";
}

std::string SettingsDirectoryUnknownText(std::string_view fileName)
{
    return "Unable to write to " + std::string(fileName) + ": the Windows directory is unknown";
}

std::string SyncObjectNotCreatedText(TSyncObject object, uint32_t code)
{
    return std::string(object == TSyncObject::Event ? "an event" : "a semaphore") + " could not be created (" +
        std::to_string(code) + ")";
}

std::string ThreadNotStartedText(int errnoValue)
{
    return "a helper thread could not be started (errno " + std::to_string(errnoValue) + ")";
}

std::string StartUpWindowMissingText(TStartUpWindow window)
{
    return window == TStartUpWindow::History
        ? "Geçmiş penceresi program başlarken oluşturulamadığı için açılamıyor"
        : "Toplu gönderim penceresi program başlarken oluşturulamadığı için açılamıyor";
}

std::string BulkSendRunningText() { return "A bulk send is still running"; }

std::string UnexpectedFailureText() { return "Unknown exception"; }

std::string OutOfMemoryText() { return "std::bad_alloc"; }
