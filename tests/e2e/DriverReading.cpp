// The end-to-end driver's readings: list and combo contents, dialogs, screen pixels and the settings file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Driver.h"
#include "DriverDetail.h"

namespace e2e {

using namespace detail;

namespace {

// Asked in UTF-16: Wine hands an ANSI list's item to another process's SendMessageA still in UTF-16.
std::string ItemText(HWND w, UINT lenMsg, UINT textMsg, int index) {
    const LRESULT len = AskW(w, lenMsg, static_cast<WPARAM>(index), 0);
    if (len < 0) throw std::runtime_error("item " + std::to_string(index) + " cannot be read");
    // LB_GETTEXT takes no buffer size: leave room in case the item grows between the two messages.
    std::wstring buf(static_cast<size_t>(len) * 2 + 256, L'\0');
    const LRESULT got = AskW(w, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    if (got < 0 || static_cast<size_t>(got) >= buf.size() || buf[static_cast<size_t>(got)] != L'\0')
        throw std::runtime_error("item " + std::to_string(index) + " cannot be read");
    buf.resize(static_cast<size_t>(got));
    return AnsiFromWide(buf);
}

}  // namespace

// ---- lists and dialogs -----------------------------------------------------------------------------

std::vector<std::string> ListBoxItems(HWND list) {
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(style & LBS_HASSTRINGS))
        throw std::runtime_error("owner-drawn list without LBS_HASSTRINGS: its items are not texts");
    // The program may be filling or clearing the list while we read: a read that meets a list whose count
    // changed under it starts over; one that fails on a steady list is a real failure.
    for (int attempt = 0;; ++attempt) {
        const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
        if (count < 0) throw std::runtime_error("LB_GETCOUNT failed");
        std::vector<std::string> items;
        try {
            for (int i = 0; i < count; ++i) items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
        } catch (const std::runtime_error&) {
            if (attempt < 20 && Ask(list, LB_GETCOUNT, 0, 0) != count) {
                Sleep(10);
                continue;
            }
            throw;
        }
        if (Ask(list, LB_GETCOUNT, 0, 0) == count || attempt >= 20) return items;
    }
}

int ListBoxCurrent(HWND list) { return static_cast<int>(Ask(list, LB_GETCURSEL, 0, 0)); }

std::vector<int> ListBoxSelected(HWND list) {
    std::vector<int> out;
    const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        if (Ask(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) out.push_back(i);
    return out;
}

LRESULT ListBoxItemData(HWND list, int index) { return Ask(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0); }

int ListBoxTopIndex(HWND list) { return static_cast<int>(Ask(list, LB_GETTOPINDEX, 0, 0)); }

std::vector<std::string> ComboItems(HWND combo) {
    const LONG style = GetWindowLongA(combo, GWL_STYLE);
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(style & CBS_HASSTRINGS))
        throw std::runtime_error("owner-drawn combo box without CBS_HASSTRINGS: its items are not texts");
    const LRESULT count = Ask(combo, CB_GETCOUNT, 0, 0);
    if (count < 0) throw std::runtime_error("CB_GETCOUNT failed");
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int ComboCurrent(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCURSEL, 0, 0)); }

const TDialogButton* TDialog::Button(const std::string& text) const {
    for (const TDialogButton& b : Buttons)
        if (b.Text == text) return &b;
    return nullptr;
}

namespace {

// Throws when a child disappears while it is read.
TDialog ReadDialogOnce(HWND dialog) {
    TDialog d;
    d.Window = dialog;
    d.ClassName = ClassName(dialog);
    d.Title = Text(dialog);
    for (HWND w : Descendants(dialog)) {
        const std::string cls = ClassName(w);
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        if (SameNoCase(cls, "Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                d.HasIcon = true;
            } else {
                std::string t = Text(w);
                if (!t.empty()) d.Texts.push_back(std::move(t));
            }
        } else if (SameNoCase(cls, "Button") && IsWindowVisible(w)) {
            d.Buttons.push_back({w, GetDlgCtrlID(w), Text(w)});
        }
    }
    return d;
}

}  // namespace

// Wine's message box destroys the buttons it does not need while it initialises, so a read that meets a
// vanished child is repeated.
TDialog ReadDialog(HWND dialog) {
    for (int attempt = 0;; ++attempt) {
        try {
            return ReadDialogOnce(dialog);
        } catch (const std::runtime_error&) {
            if (attempt >= 10 || !IsWindow(dialog)) throw;
            Sleep(50);
        }
    }
}

HWND WaitForMessageBox(const TProcess& process, const char* title, DWORD timeoutMs) {
    HWND box = process.WaitForTopWindow("#32770", title, timeoutMs, true);
    // A reply to WM_NULL comes from the dialog's message loop, so its initialisation is over by then.
    if (box) Ask(box, WM_NULL, 0, 0);
    return box;
}

HWND OpenBrowseDialog(const TProcess& process, HWND browseButton) {
    Click(browseButton);
    return process.WaitForTopWindow("#32770", kBrowseDialogTitle);
}

bool AnswerBrowseDialog(const TProcess& process, HWND dialog, int button) {
    Click(GetDlgItem(dialog, button));
    return process.WaitForTopWindowGone("#32770", kBrowseDialogTitle);
}

bool BrowseAndConfirm(const TProcess& process, HWND browseButton) {
    HWND dialog = OpenBrowseDialog(process, browseButton);
    return dialog && AnswerBrowseDialog(process, dialog, IDOK);
}

// ---- screen ----------------------------------------------------------------------------------------

TImage CaptureScreen(const RECT& r) {
    TImage image;
    image.Width = r.right - r.left;
    image.Height = r.bottom - r.top;
    if (image.Width <= 0 || image.Height <= 0) throw std::runtime_error("empty rectangle to capture");
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = image.Width;
    bi.bmiHeader.biHeight = -image.Height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = screen && mem && bmp;
    if (ok) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, image.Width, image.Height, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
    }
    if (ok) {
        const auto* px = static_cast<const uint32_t*>(bits);
        image.Pixels.resize(static_cast<size_t>(image.Width) * image.Height);
        for (size_t i = 0; i < image.Pixels.size(); ++i) {
            const uint32_t v = px[i];  // 0x00RRGGBB in a DIB; COLORREF wants 0x00BBGGRR
            image.Pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
    }
    if (bmp) DeleteObject(bmp);
    if (mem) DeleteDC(mem);
    if (screen) ReleaseDC(nullptr, screen);
    if (!ok) throw Failure("cannot capture the screen");
    return image;
}

COLORREF ScreenPixel(POINT p) { return CaptureScreen({p.x, p.y, p.x + 1, p.y + 1}).At(0, 0); }

COLORREF ClientPixel(HWND w, int x, int y) {
    POINT p{x, y};
    if (!ClientToScreen(w, &p)) throw Failure("no such window");
    return ScreenPixel(p);
}

bool WaitForClientPixel(HWND w, int x, int y, COLORREF expected, DWORD timeoutMs) {
    return WaitUntil([&] { return ClientPixel(w, x, y) == expected; }, timeoutMs);
}

TImage CaptureWindow(HWND w) { return CaptureScreen(WindowRect(w)); }

void SaveBmp(const TImage& image, const std::string& path) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.Width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(image.Height);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + dataBytes;
    ih.biSize = sizeof ih;
    ih.biWidth = image.Width;
    ih.biHeight = image.Height;  // bottom-up, the usual BMP order
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = dataBytes;
    std::string data(dataBytes, '\0');
    for (int y = 0; y < image.Height; ++y) {
        char* row = data.data() + static_cast<size_t>(image.Height - 1 - y) * rowBytes;
        for (int x = 0; x < image.Width; ++x) {
            const COLORREF c = image.At(x, y);
            row[x * 3 + 0] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path);
}

void SaveScreenshot(HWND w, const std::string& path) { SaveBmp(CaptureWindow(w), path); }

// ---- the settings file -----------------------------------------------------------------------------

std::string IniPath() {
    char buf[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) throw Failure("cannot read the Windows directory");
    std::string dir(buf, n);
    if (dir.back() != '\\') dir += '\\';
    return dir + "Varnel.Ini";
}

std::optional<std::string> ReadIniFile() {
    std::ifstream in(IniPath(), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteIniFile(const std::string& content) {
    std::ofstream out(IniPath(), std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + IniPath());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
}

void DeleteIniFile() {
    if (!DeleteFileA(IniPath().c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw Failure("cannot delete " + IniPath());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
}

std::optional<std::string> IniValue(const std::string& section, const std::string& key, const std::string& path) {
    // Forget what this process may have cached: the program writes the file from another process.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    static const char kAbsent[] = "\x01<absent>\x01";
    std::string buf(256, '\0');
    for (;;) {
        const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buf.data(),
                                                 static_cast<DWORD>(buf.size()), path.c_str());
        if (n + 1 < buf.size()) {
            buf.resize(n);
            break;
        }
        if (buf.size() >= (1u << 20)) throw std::runtime_error("profile value too long: " + key);
        buf.assign(buf.size() * 4, '\0');
    }
    if (buf == kAbsent) return std::nullopt;
    return buf;
}

TSettingsFileAside::TSettingsFileAside() : FSaved(ReadIniFile()) { DeleteIniFile(); }

TSettingsFileAside::~TSettingsFileAside() {
    RemoveDirectoryA(IniPath().c_str());
    try {
        if (FSaved)
            WriteIniFile(*FSaved);
        else
            DeleteIniFile();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "the settings file was not put back: " << e.what();
    }
}

}  // namespace e2e
