// TSiOneInstance: the guard on the main window that, in a second copy, brings the first forward and ends.
#pragma once
#include <string>

#include "core/Exceptions.h"
#include "toolkit/Classes.h"

// Base of the single-instance components; adds nothing of its own.
class TSiCustomComponent : public TComponent {
public:
    explicit TSiCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}
};

enum TSiOneInstanceMode { oiActivateOnly, oiDefaultMessage, oiCustom };

// Raised when a program tries to have a second guard.
class SiEOneInstError : public Exception {
public:
    using Exception::Exception;
};

class TSiOneInstance : public TSiCustomComponent {
public:
    // Throws SiEOneInstError when another guard exists.
    explicit TSiOneInstance(TComponent* AOwner);
    ~TSiOneInstance() override;

    // Read by the design environment only.
    std::string About;
    // The guard acts only while true.
    bool Enabled = true;
    TSiOneInstanceMode Mode = oiActivateOnly;
    // Called instead of the activation in mode oiCustom, when assigned.
    TNotifyEvent OnCustom;

    // Brings the running copy's application window forward: restored when minimised, else to the top.
    // A hidden copy stays hidden. Clears this copy's own application window text first, so it is not found.
    void ActivatePreviousInstance();

protected:
    // In a second copy: reacts by Mode, then asks the own application to terminate.
    void Loaded() override;
};

// Class name of the application windows the guard looks for.
inline constexpr char kApplicationWindowClass[] = "TApplication";
