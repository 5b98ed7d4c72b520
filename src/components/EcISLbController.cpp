// The search list's controller and its pool of one-shot window timers.
#include <algorithm>

#include "components/EcISLb.h"
#include "toolkit/Forms.h"
#include "toolkit/MessageWindow.h"

// The pool's WM_TIMER messages come through the toolkit's dispatch point.
TEcTimerPool::TEcTimerPool() : FWindow(std::make_unique<TMessageWindow>(nullptr, "TEcTimerPool"))
{
    FWindow->OnMessage = [this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        if (msg != WM_TIMER)
            return false;
        Fired(static_cast<UINT_PTR>(wParam));
        result = 0;
        return true;
    };
}

TEcTimerPool::~TEcTimerPool()
{
    if (FWindow->HandleAllocated())
        for (const auto& timer : FTimers)
            KillTimer(FWindow->Handle(), timer.first);
}

int TEcTimerPool::StartOneShot(int milliseconds, TCallback callback)
{
    // Handles stay positive 32-bit numbers: -1 means "none" to the callers.
    UINT_PTR id = FNextId;
    while (FTimers.count(id))
        id = id >= 0x7FFFFFFF ? 1 : id + 1;
    FNextId = id >= 0x7FFFFFFF ? 1 : id + 1;
    if (!SetTimer(FWindow->Handle(), id, static_cast<UINT>(std::max(milliseconds, 0)), nullptr))
        throw ENoTimersAvailable();
    FTimers[id] = std::move(callback);
    return static_cast<int>(id);
}

void TEcTimerPool::Cancel(int handle) noexcept
{
    if (handle <= 0)
        return;
    const auto found = FTimers.find(static_cast<UINT_PTR>(handle));
    if (found == FTimers.end())
        return;
    if (FWindow->HandleAllocated())
        KillTimer(FWindow->Handle(), found->first);
    FTimers.erase(found);
}

void TEcTimerPool::Fired(UINT_PTR id)
{
    // Window timers repeat: the first tick ends this one. A tick already queued for a cancelled timer
    // finds nothing and is dropped.
    KillTimer(FWindow->Handle(), id);
    const auto found = FTimers.find(id);
    if (found == FTimers.end())
        return;
    const TCallback callback = std::move(found->second);
    FTimers.erase(found);
    if (callback)
        callback();
}

TEcControllerClient::~TEcControllerClient()
{
    if (FController)
        FController->RemoveClient(this);
}

void TEcControllerClient::SetController(TEcController* controller)
{
    if (FController == controller)
        return;
    ControllerChanging();
    if (FController)
        FController->RemoveClient(this);
    FController = controller;
    if (FController)
        FController->AddClient(this);
}

void TEcControllerClient::TakeControllerOf(TControl* control)
{
    if (FController)
        return;
    TEcController* found = TEcController::FindFor(control);
    if (!found)
        throw ENoControllerAssigned();
    SetController(found);
}

TEcController::TEcController(TComponent* AOwner) : TComponent(AOwner), FTimerPool(std::make_unique<TEcTimerPool>()) {}

TEcController::~TEcController()
{
    // A client may outlive its controller when the window destroys them in another order.
    const std::vector<TEcControllerClient*> clients = FClients;
    FClients.clear();
    for (TEcControllerClient* client : clients)
        client->ControllerDestroyed();
}

void TEcController::AddClient(TEcControllerClient* client)
{
    if (client && std::find(FClients.begin(), FClients.end(), client) == FClients.end())
        FClients.push_back(client);
}

void TEcController::RemoveClient(TEcControllerClient* client)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

TEcController* TEcController::FindFor(TControl* control)
{
    TForm* form = TForm::Of(control);
    if (!form)
        return nullptr;
    for (TComponent* component : form->Components())
        if (auto* controller = dynamic_cast<TEcController*>(component))
            return controller;
    return nullptr;
}
