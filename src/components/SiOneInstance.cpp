// TSiOneInstance: at most one guard per program; in a second copy it activates the first and terminates.
#include "components/SiOneInstance.h"

#include <windows.h>

#include <cstdint>

#include "components/siclass.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"

namespace {
// How many guards exist; eight bits are plenty since a second one is refused.
uint8_t gGuardCount = 0;

constexpr char kClassName[] = "TSiOneInstance";

std::string AlreadyStartedText()
{
    std::string text(1, '"');
    if (Application)
        text += Application->Title();
    text += "\" was already started...";
    return text;
}
}

TSiOneInstance::TSiOneInstance(TComponent* AOwner) : TSiCustomComponent(AOwner)
{
    ++gGuardCount;
    if (gGuardCount > 1) {
        // The refused object is never finished, so its count is taken back here rather than in a destructor.
        --gGuardCount;
        throw SiEOneInstError(std::string(kClassName) + ":\rAlready one " + kClassName + " control in this project!");
    }
}

TSiOneInstance::~TSiOneInstance() { --gGuardCount; }

void TSiOneInstance::Loaded()
{
    TSiCustomComponent::Loaded();
    if (!Enabled || RunsInsideLibrary() || !SiApplication || !SiApplication->AnotherInstance())
        return;
    switch (Mode) {
    case oiActivateOnly:
        ActivatePreviousInstance();
        break;
    case oiDefaultMessage:
        MessageDlg(AlreadyStartedText(), TMsgDlgType::mtInformation, mbOK, 0);
        ActivatePreviousInstance();
        break;
    case oiCustom:
        if (OnCustom)
            OnCustom(this);
        else
            ActivatePreviousInstance();
        break;
    }
    // Only queued: the rest of the start-up still runs, and the message loop then ends at once.
    if (Application)
        Application->Terminate();
}

void TSiOneInstance::ActivatePreviousInstance()
{
    if (!SiApplication || !SiApplication->AnotherInstance() || !Application)
        return;
    const std::string title = Application->Title();
    HWND own = Application->Handle();
    // Our own window carries the same class and title: blank it so the search can only find the other copy.
    SetWindowTextA(own, "");
    HWND previous = FindWindowA(kApplicationWindowClass, title.c_str());
    if (!previous || previous == own)
        return;
    if (IsIconic(previous))
        ShowWindow(previous, SW_RESTORE);
    else
        BringWindowToTop(previous);
}
