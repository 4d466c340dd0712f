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

// The group's font and colour are those of its title and its background; the controls
// on it keep their own.
class TGroupBox : public TControl {
public:
    explicit TGroupBox(TControl* parent, TComponent* owner = nullptr);
    std::string Caption() const;
    void SetCaption(const std::string& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Until it is first changed the title keeps the font of the form.
    TFont& Font() { return font_; }
    void ChangeScale(int m, int d) override;

private:
    TColor color_ = clBtnFace;
    TFont font_;
    bool ownFont_ = false;
};
