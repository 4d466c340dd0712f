#pragma once
// A text of several lines. WantReturns decides whether Enter breaks a line or goes to
// the form (its default button). Without the automatic vertical scroll the memo takes
// no more lines than its height shows.

#include "Control.h"
#include "GraphicsObjects.h"
#include "Strings.h"

#include <memory>
#include <string>

class TMemo : public TControl {
public:
    explicit TMemo(TControl* parent, TComponent* owner = nullptr);
    ~TMemo() override;

    TStrings& Lines();
    std::string Text() const;
    void SetText(const std::string& value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    void SelectAll();
    // The number of whole lines the memo's height shows (at least 1).
    int VisibleLines() const;
    TFont& Font() { return font_; }
    void ChangeScale(int m, int d) override;

    TNotifyEvent OnChange;

protected:
    // The automatic vertical scroll style (on by default).
    bool AutoVScroll() const { return autoVScroll_; }
    void SetAutoVScroll(bool value);
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    void LimitLines();
    class LineList;
    std::unique_ptr<LineList> lines_;
    TFont font_;
    bool wantReturns_ = true;
    bool autoVScroll_ = true;
    bool limiting_ = false;
};
