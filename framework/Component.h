#pragma once
// Components with an owner: a component destroys, last first, every component it owns
// when it goes, and one destroyed earlier leaves its owner's list by itself, so owned
// components may live on the heap or as members alike.

#include "Object.h"

#include <string>
#include <vector>

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }

    // Form designing never happens at run time; kept for code written against it.
    bool Designing() const { return false; }
    // Called after the component's stored properties have been read.
    virtual void Loaded() {}

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

private:
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::string name_;
};
