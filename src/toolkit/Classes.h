// The component model: objects with an owner that destroys them, a name, and a notification once loaded.
#pragma once
#include <functional>
#include <string>
#include <vector>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// Events carry their sender first, like every handler of the program.
using TNotifyEvent = std::function<void(TObject* Sender)>;

inline void Fire(const TNotifyEvent& event, TObject* sender)
{
    if (event)
        event(sender);
}

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    const std::vector<TComponent*>& Components() const { return FComponents; }

    int Tag = 0;

    // True from construction until the owner has finished building its layout and called Loaded.
    bool Loading() const { return FLoading; }

    // Runs Loaded on this component and then on everything it owns, in creation order.
    void NotifyLoaded();

    // Asks to hear, through Notification, when `component` is destroyed; the link is kept on both sides, so
    // whichever of the two goes first unhooks it. A component that names one it does not own uses this.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    // Called once, after the owner's stored layout (properties and handlers) has been applied.
    virtual void Loaded() {}
    // `component`, which this one asked about, is being destroyed: forget every pointer to it.
    virtual void Notification(TComponent*) {}

private:
    std::vector<TComponent*> FFreeNotifies;
    TComponent* FOwner;
    std::string FName;
    std::vector<TComponent*> FComponents;
    bool FLoading = true;
    bool FDestroying = false;
};
