#include "ShowHintChain.h"

#include <vector>

namespace {

// Owned by the application, so the unit ends with it at the latest; the
// chain installed in the application is a member function of this object.
class THookOwner : public TComponent {
public:
    explicit THookOwner(TApplication& app) : TComponent(&app), app_(app) {
        previous_ = app.OnShowHint;
        if (previous_) hooks_.push_back(previous_);
    }
    ~THookOwner() override;

    void Add(const TShowHintEvent& handler) {
        hooks_.push_back(handler);
        app_.OnShowHint = TShowHintEvent(this, &THookOwner::DoShowHintChain);
    }
    void Remove(const TShowHintEvent& handler) {
        for (std::size_t i = hooks_.size(); i-- > 0;)
            if (hooks_[i] == handler) hooks_.erase(hooks_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    int Count() const { return static_cast<int>(hooks_.size()); }
    void End() {
        // Only our own chain is taken out; a handler the program installed
        // after the start stays.
        if (app_.OnShowHint == TShowHintEvent(this, &THookOwner::DoShowHintChain))
            app_.OnShowHint = previous_;
        hooks_.clear();
    }

    void DoShowHintChain(std::string& hint, bool& canShow, THintInfo& info) {
        // By index: a handler may remove entries while the chain runs.
        for (std::size_t i = hooks_.size(); i-- > 0;) {
            if (i >= hooks_.size() || !hooks_[i]) continue;
            const TShowHintEvent handler = hooks_[i];
            handler(hint, canShow, info);
        }
    }

private:
    TApplication& app_;
    TShowHintEvent previous_;
    std::vector<TShowHintEvent> hooks_;
};

THookOwner* gHooks = nullptr;

THookOwner::~THookOwner() {
    End();
    if (gHooks == this) gHooks = nullptr;
}

} // namespace

void AligridStart(TApplication& app) {
    if (!gHooks) gHooks = new THookOwner(app);
}

void AligridEnd() {
    delete gHooks; // leaves the application's component list by itself
}

bool AligridStarted() {
    return gHooks != nullptr;
}

int ShowHintHandlerCount() {
    return gHooks ? gHooks->Count() : 0;
}

void AddShowHintHandler(const TShowHintEvent& handler) {
    if (!gHooks && Application) AligridStart(*Application);
    if (gHooks) gHooks->Add(handler);
}

void RemoveShowHintHandler(const TShowHintEvent& handler) {
    if (gHooks) gHooks->Remove(handler);
}
