// TWsBrowser: configuring and running SHBrowseForFolderA, and what it reports back.
#include "components/WsBrowsr.h"

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ExceptionHandler.h"
#include "toolkit/Controls.h"

namespace {
constexpr char kShellTooOld[] = "Operation not supported in this version of the shell";

std::string PathOf(LPCITEMIDLIST item)
{
    char path[MAX_PATH] = "";
    if (!item || !SHGetPathFromIDListA(item, path))
        return "";
    path[MAX_PATH - 1] = '\0';
    return path;
}
}

void FreeWithShellAllocator(LPITEMIDLIST& list)
{
    if (!list)
        return;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(CoGetMalloc(1, &allocator)) && allocator) {
        allocator->Free(list);
        list = nullptr;
        allocator->Release();
    }
}

TWsCustomBrowser::TWsCustomBrowser(TComponent* AOwner) : TWsShellComponent(AOwner) {}

TWsCustomBrowser::~TWsCustomBrowser() { FreeWithShellAllocator(FResultIDList); }

void TWsCustomBrowser::SetSpecialRootFolder(TWsSpecialRootFolder folder)
{
    if (NeedsShell47(folder) && ShellVersion() < 4.7)
        throw EWsShellError(kShellTooOld);
    FSpecialRootFolder = folder;
    FSpecialRootFolderID = SpecialFolderId(folder);
}

void TWsCustomBrowser::SetStatusText(const std::string& text)
{
    FStatusText = text;
    // Sent, not posted: the dialog copies the text before this returns, while a posted pointer could be read
    // after the next assignment has moved or freed the string.
    if (FDialogHandle)
        SendMessageA(FDialogHandle, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(FStatusText.c_str()));
}

HWND TWsCustomBrowser::OwnerWindow() const
{
    if (auto* control = dynamic_cast<TControl*>(Owner()); control && control != Application)
        return control->Handle();
    if (Owner() == Application && Application)
        return Application->Handle();
    return nullptr;
}

bool TWsCustomBrowser::Execute()
{
    HWND owner = OwnerWindow();
    if (OptionsNeedShell47(Options) && ShellVersion() < 4.7)
        throw EWsShellError(kShellTooOld);
    const UINT flags = BrowseFlags(Options, !FStatusText.empty());

    LPITEMIDLIST root = nullptr;
    IShellFolder* desktop = nullptr;
    if (!RootFolder.empty() && FSpecialRootFolder == TWsSpecialRootFolder::sfNone) {
        if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
            wchar_t wide[MAX_PATH] = L"";
            MultiByteToWideChar(CP_ACP, 0, RootFolder.c_str(), -1, wide, MAX_PATH);
            wide[MAX_PATH - 1] = L'\0';
            ULONG eaten = 0;
            desktop->ParseDisplayName(owner, nullptr, wide, &eaten, &root, nullptr);
        }
    } else if (FSpecialRootFolder != TWsSpecialRootFolder::sfNone) {
        SHGetSpecialFolderLocation(owner, FSpecialRootFolderID, &root);
    }
    FreeWithShellAllocator(FResultIDList);

    char displayName[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = root;
    info.pszDisplayName = displayName;
    info.lpszTitle = AdditionalText.c_str();
    info.ulFlags = flags;
    info.lpfn = &TWsCustomBrowser::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    info.iImage = 0;
    FResultIDList = SHBrowseForFolderA(&info);
    FDialogHandle = nullptr;

    bool confirmed = false;
    if (FResultIDList) {
        FResultPath = PathOf(FResultIDList);
        displayName[MAX_PATH - 1] = '\0';
        FDisplayName = displayName;
        FImageIndex = info.iImage;
        confirmed = true;
    } else {
        FDisplayName.clear();
        FImageIndex = 0;
    }
    if (desktop)
        desktop->Release();
    FreeWithShellAllocator(root);
    return confirmed;
}

int CALLBACK TWsCustomBrowser::BrowseCallback(HWND dialog, UINT msg, LPARAM param, LPARAM data)
{
    auto* self = reinterpret_cast<TWsCustomBrowser*>(data);
    // The dialog's own loop is below us: nothing may unwind through it.
    try {
        if (msg == BFFM_INITIALIZED)
            self->Initialized(dialog);
        else if (msg == BFFM_SELCHANGED && self->FDialogHandle)
            self->SelectionChanged(reinterpret_cast<LPCITEMIDLIST>(param));
    } catch (...) {
        HandleCallbackException(self);
    }
    return 0;
}

void TWsCustomBrowser::Initialized(HWND dialog)
{
    FDialogHandle = dialog;
    if (!Caption.empty())
        SendMessageA(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Caption.c_str()));
    SendMessageA(dialog, BFFM_SETSELECTIONA, 1, reinterpret_cast<LPARAM>(FSelectedFolder.c_str()));
    if (!FStatusText.empty())
        SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(FStatusText.c_str()));
    if (Position == TWsBrowsePosition::bpScreenCenter) {
        RECT rc;
        GetWindowRect(dialog, &rc);
        const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (rc.right - rc.left) / 2;
        const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - (rc.bottom - rc.top) / 2;
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    Fire(OnShow, this);
}

void TWsCustomBrowser::SelectionChanged(LPCITEMIDLIST item)
{
    SetSelectedFolder(PathOf(item));
    Fire(OnSelChanged, this);
}
