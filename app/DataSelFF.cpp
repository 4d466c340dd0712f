#include "DataSelFF.h"

#include "Application.h"
#include "MessageBox.h"
#include "RegistryNames.h"
#include "Startup.h"
#include "services/Registry.h"

namespace {
void Place(TControl& c, int left, int top, int width, int height) {
    c.SetBounds(left, top, width, height);
}
} // namespace

TDataSelForm::TDataSelForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), LoadBtn(this), RefreshBtn(this), OptionsBtn(this), SaveVarBtn(this),
      PlotBtn(this), UpdateBtn(this), DFTBtn(this), AboutBtn(this), ResetBtn(this), RefUpdBtn(this),
      MultiFileBtn(this), WidthsBtn(this), PlusBtn(this), MinusBtn(this), TimesBtn(this),
      SSSpeedBtn(this), LSSpeedBtn(this), Panel2(this), Variables(this), VarList(this),
      FileStringGrid(this), SelectedGrid(this), TimeFactPopup(this), OpenDialog1(this),
      SaveDialog1(this), ctx_(ctx), globals_(ctx.globals), options_(ctx.options) {
    SetCaption("QJ's Curvix - Data selection");
    SetClientSize(560, 420);
    struct B {
        TButton& b;
        const char* caption;
        int x, y, w;
    };
    for (const B& b :
         {B{LoadBtn, "Load...", 8, 8, 80}, B{RefreshBtn, "Refresh", 92, 8, 70},
          B{OptionsBtn, "Program Options", 8, 196, 110},
          B{SaveVarBtn, "Save variables...", 122, 196, 110}, B{PlotBtn, "Plot", 236, 196, 60},
          B{UpdateBtn, "Update", 300, 196, 60}, B{DFTBtn, "Four", 364, 196, 60},
          B{ResetBtn, "Reset", 428, 196, 60}, B{AboutBtn, "?", 520, 196, 32}}) {
        b.b.SetCaption(b.caption);
        Place(b.b, b.x, b.y, b.w, 25);
    }
    struct S {
        TSpeedButton& b;
        const char* caption;
        int x, w, group;
    };
    for (const S& s : {S{RefUpdBtn, "Fixed-Scale Refresh", 166, 130, 1},
                       S{MultiFileBtn, "Allow Multiple Files", 300, 130, 2},
                       S{WidthsBtn, "<->", 434, 40, 3}, S{PlusBtn, "+", 478, 22, 4},
                       S{MinusBtn, "-", 502, 22, 4}, S{TimesBtn, "*", 526, 22, 4}}) {
        s.b.SetCaption(s.caption);
        s.b.SetGroupIndex(s.group);
        s.b.SetAllowAllUp(true);
        Place(s.b, s.x, 8, s.w, 25);
    }
    SSSpeedBtn.SetCaption("SS");
    LSSpeedBtn.SetCaption("LS");
    Place(SSSpeedBtn, 8, 228, 32, 22);
    Place(LSSpeedBtn, 44, 228, 32, 22);
    Place(Panel2, 8, 40, 544, 150);
    Panel2.SetBevelOuter(bvLowered);
    Variables.SetCaption("Variables");
    Place(Variables, 8, 256, 120, 16);
    Place(VarList, 8, 274, 200, 140);

    MultiFileBtn.SetDown(true);
    LoadBtn.SetDefault(true);
    PlotBtn.SetDefault(true);
    UpdateBtn.SetDefault(true);
    for (TControl* c : {static_cast<TControl*>(&RefreshBtn), static_cast<TControl*>(&RefUpdBtn),
                        static_cast<TControl*>(&PlusBtn), static_cast<TControl*>(&MinusBtn),
                        static_cast<TControl*>(&TimesBtn), static_cast<TControl*>(&SaveVarBtn),
                        static_cast<TControl*>(&PlotBtn), static_cast<TControl*>(&UpdateBtn),
                        static_cast<TControl*>(&DFTBtn)})
        c->SetEnabled(false);

    AboutBtn.OnClick = [this](TObject* s) { AboutBtnClick(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
}

void TDataSelForm::FormCreate(TObject*) {
    DragAcceptFiles(true);
    if (Application) Application->HintHidePause = 5000;
    ScaleBy(globals_.scaleMul, globals_.scaleDiv);
    SetLeft(globals_.workArea.Left);
    SetTop(Top() + globals_.instanceOffset);
    if (options_.Flag(poRememberWindows)) {
        SetTop(globals_.winPos[0]);
        SetLeft(globals_.winPos[1]);
        SetHeight(globals_.winPos[2]);
        if (globals_.wideNames) WidthsBtn.SetDown(true);
    }
    if (globals_.instanceNumber > 1) {
        const std::string suffix = " (" + std::to_string(globals_.instanceNumber) + ")";
        SetCaption(Caption() + suffix);
        if (Application) Application->SetTitle(Application->Title() + suffix);
    }
    creationDone = true;
    ParseCommandLine();
}

TDataSelForm::~TDataSelForm() = default;

void TDataSelForm::FormResize(TObject*) {
    if (!creationDone) return;
    VarList.SetHeight(std::max(0, ClientHeight() - VarList.Top()));
}

int TDataSelForm::ParseCommandLine() {
    std::vector<std::string> args;
    if (Application)
        for (int i = 0; i <= Application->ParamCount(); ++i)
            args.push_back(Application->ParamStr(i));
    return ::ParseCommandLine(args, globals_, options_, MessageBox);
}

void TDataSelForm::AboutBtnClick(TObject*) {
    MessageBox("          Curvix program\n"
               "Written by its author at the author's institution\n"
               "(see the program's documentation for the e-mail address)\n"
               "\n"
               "The program version is given by the month and year of the program's "
               "executable file",
               "About Curvix", MB_OK);
}

void TDataSelForm::FormClose(TObject*, TCloseAction&) {
    globals_.wideNames = WidthsBtn.Down();
    if (options_.Flag(poRememberWindows)) {
        globals_.winPos[0] = static_cast<std::int16_t>(Top());
        globals_.winPos[1] = static_cast<std::int16_t>(Left());
        globals_.winPos[2] = static_cast<std::int16_t>(Height());
    }
    TRegistry registry;
    WriteWindowState(registry, globals_, options_, MessageBox);
}

void TDataSelForm::UnObscure(TObject*) {
    // The composite-variable mode arrives with variable selection.
}
