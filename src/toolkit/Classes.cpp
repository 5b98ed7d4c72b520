// The component model: ownership and the loaded notification.
#include "toolkit/Classes.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner)
{
    if (FOwner)
        FOwner->FComponents.push_back(this);
}

TComponent::~TComponent()
{
    FDestroying = true;
    // Newest first, so a component never outlives what it was created after.
    while (!FComponents.empty()) {
        TComponent* child = FComponents.back();
        FComponents.pop_back();
        child->FOwner = nullptr;
        delete child;
    }
    if (FOwner && !FOwner->FDestroying) {
        auto& siblings = FOwner->FComponents;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TComponent::NotifyLoaded()
{
    if (FLoading) {
        FLoading = false;
        Loaded();
    }
    // A copy: a Loaded handler may create further components.
    const std::vector<TComponent*> children = FComponents;
    for (TComponent* child : children)
        child->NotifyLoaded();
}
