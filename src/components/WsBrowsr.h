// TWsBrowser: the platform's folder-browsing dialog, configured as a component (the program browses computers).
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "net/WsBase.h"
#include "components/WsShell.h"
#include "core/BrowseRules.h"

class EWsShellError : public EWsException {
public:
    using EWsException::EWsException;
};

class TWsCustomBrowser : public TWsShellComponent {
public:
    explicit TWsCustomBrowser(TComponent* AOwner);
    ~TWsCustomBrowser() override;

    std::string AdditionalText;
    std::string Caption;
    TWsBrowseOptions Options{TWsBrowseOption::boReturnOnlyDirs};
    TWsBrowsePosition Position = TWsBrowsePosition::bpScreenCenter;
    std::string RootFolder;

    const std::string& SelectedFolder() const { return FSelectedFolder; }
    void SetSelectedFolder(const std::string& path) { FSelectedFolder = NormaliseSelectedFolder(path); }
    TWsSpecialRootFolder SpecialRootFolder() const { return FSpecialRootFolder; }
    void SetSpecialRootFolder(TWsSpecialRootFolder folder);
    int32_t SpecialRootFolderID() const { return FSpecialRootFolderID; }
    const std::string& StatusText() const { return FStatusText; }
    void SetStatusText(const std::string& text);

    TNotifyEvent OnShow;
    TNotifyEvent OnSelChanged;

    // Shows the dialog modally; true when the user confirmed an item.
    bool Execute();

    const std::string& DisplayName() const { return FDisplayName; }
    const std::string& ResultPath() const { return FResultPath; }
    int32_t ImageIndex() const { return FImageIndex; }
    LPITEMIDLIST ResultIDList() const { return FResultIDList; }
    HWND DialogHandle() const { return FDialogHandle; }

private:
    static int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM param, LPARAM data);
    void Initialized(HWND dialog);
    void SelectionChanged(LPCITEMIDLIST item);
    HWND OwnerWindow() const;

    std::string FSelectedFolder;
    TWsSpecialRootFolder FSpecialRootFolder = TWsSpecialRootFolder::sfNone;
    int32_t FSpecialRootFolderID = 0;
    std::string FStatusText;
    std::string FDisplayName;
    std::string FResultPath;
    int32_t FImageIndex = 0;
    LPITEMIDLIST FResultIDList = nullptr;
    HWND FDialogHandle = nullptr;
};

class TWsBrowser : public TWsCustomBrowser {
public:
    explicit TWsBrowser(TComponent* AOwner) : TWsCustomBrowser(AOwner) {}
};

// Frees an item list through the shell task allocator and nulls it; keeps it when no allocator is available.
void FreeWithShellAllocator(LPITEMIDLIST& list);
