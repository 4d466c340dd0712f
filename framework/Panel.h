#pragma once
// Containers: a panel with a raised bevel and an optional centred caption, and a group
// box with a framed title. Controls placed on them take them as parent.

#include "Control.h"
#include "GraphicsObjects.h"

#include <string>

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TControl {
public:
    explicit TPanel(TControl* parent, TComponent* owner = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);

private:
    TBevelCut bevelOuter_ = bvRaised;
    TColor color_ = clBtnFace;
};

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TControl* parent, TComponent* owner = nullptr);
    std::string Caption() const;
    void SetCaption(const std::string& value);
};
