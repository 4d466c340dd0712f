#include "Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last; // its destructor removes it from this list
    }
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    components_.erase(it);
    component->owner_ = nullptr;
}
