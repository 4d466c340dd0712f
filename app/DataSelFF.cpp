#include "DataSelFF.h"

#include "Application.h"
#include "DFTChartFF.h"
#include "MainFormGridDesigns.h"
#include "MessageBox.h"
#include "PlotWinFF.h"
#include "PlotWinRules.h"
#include "PropertyText.h"
#include "RegistryNames.h"
#include "Screen.h"
#include "SlotTable.h"
#include "Startup.h"
#include "ValuesFF.h"
#include "services/FileNames.h"
#include "services/Registry.h"

#include <algorithm>
#include <stdexcept>

namespace {
// The window's design, in pixels of the 800 x 600 reference screen.
constexpr int kDesignClientWidth = 568;
constexpr int kDesignClientHeight = 352;
constexpr int kFileColWidths[7] = {12, 18, 220, 60, 70, 64, 64}; // 5 and 6 are computed
constexpr int kSelColWidths[4] = {120, 18, 75, 75};              // 0 takes what is left

void ReadDesign(std::string_view design, TStringAlignGrid& grid) {
    const std::string reason = ReadComponentText(design, grid);
    if (!reason.empty()) throw std::runtime_error("Grid design: " + reason);
}
} // namespace

TDataSelForm::TDataSelForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), Panel2(this), LoadBtn(this), RefreshBtn(this), OptionsBtn(this),
      SaveVarBtn(&Panel2), PlotBtn(&Panel2), UpdateBtn(&Panel2), DFTBtn(&Panel2), AboutBtn(this),
      ResetBtn(&Panel2), RefUpdBtn(this), MultiFileBtn(this), WidthsBtn(&Panel2), PlusBtn(&Panel2),
      MinusBtn(&Panel2), TimesBtn(&Panel2), SSSpeedBtn(this), LSSpeedBtn(this), Variables(this),
      VarList(this), FileStringGrid(this), SelectedGrid(&Panel2), TimeFactPopup(this),
      OpenDialog1(this), SaveDialog1(this), ctx_(ctx), globals_(ctx.globals),
      options_(ctx.options) {
    SetCaption("QJ's Curvix - Data selection");
    SetBounds(globals_.workArea.Left, globals_.workArea.Top, Width(), Height());
    SetClientSize(kDesignClientWidth, kDesignClientHeight);
    PlaceControls();

    ReadDesign(FileStringGridDesign(), FileStringGrid);
    ReadDesign(SelectedGridDesign(), SelectedGrid);
    for (int c = 0; c < 7; ++c)
        FileStringGrid.SetColWidths(c, kFileColWidths[c]);
    SelectedGrid.SetDefaultRowHeight(17);
    for (int c = 0; c < 4; ++c)
        SelectedGrid.SetColWidths(c, kSelColWidths[c]);
    // The header font exists before scaling, so that it is scaled once, by its own rule.
    SelectedGrid.GetFontFixedRow(0);
    SelectedGrid.SetPopupMenu(&TimeFactPopup);
    User1 = TimeFactPopup.Add("User defined time factor");
    smtimefactor1 = TimeFactPopup.Add(std::string(kMinutesFactorText) + " time factor");
    shtimefactor1 = TimeFactPopup.Add(std::string(kHoursFactorText) + " time factor");

    OpenDialog1.Filter = "ADF, ATP, CFG, MAT (*.ADF, *.VOL, *.PL4, *.CFG, *.MAT)|*.ADF; *.VOL;  "
                         "*.PL4; *.CFG; *.MAT|ADF and ATP (*.ADF, *.VOL, *.PL4)|*.ADF; *.VOL; "
                         "*.PL4|ATP  (*.PL4)|*.PL4|ADF (*.ADF, *.VOL)|*.ADF; *.VOL|COMTRADE "
                         "(*:CFG)|*.CFG|MATLAB (*.MAT)|*.MAT";
    OpenDialog1.InitialDir = ".";
    OpenDialog1.Options = ofFileMustExist | ofAllowMultiSelect;

    // Start values of the form design: the slots start in the multi-file layout.
    MultiFileBtn.SetDown(fileSlots.Multi());
    LoadBtn.SetDefault(true);
    PlotBtn.SetDefault(true);
    UpdateBtn.SetDefault(true);
    for (TControl* c : {static_cast<TControl*>(&RefreshBtn), static_cast<TControl*>(&RefUpdBtn),
                        static_cast<TControl*>(&PlusBtn), static_cast<TControl*>(&MinusBtn),
                        static_cast<TControl*>(&TimesBtn), static_cast<TControl*>(&SaveVarBtn),
                        static_cast<TControl*>(&PlotBtn), static_cast<TControl*>(&UpdateBtn),
                        static_cast<TControl*>(&DFTBtn)})
        c->SetEnabled(false);
    WidthsBtn.SetHint("Enlarge space for variable names");
    FileStringGrid.SetShowCellHints(true);
    SelectedGrid.SetShowCellHints(true);
    // The top row, the table, the list, the selection grid with the buttons under it, and
    // the column on its right.
    SetTabOrder({&LoadBtn,      &RefreshBtn, &RefUpdBtn, &MultiFileBtn,   &OptionsBtn,
                 &SSSpeedBtn,   &LSSpeedBtn, &AboutBtn,  &FileStringGrid, &VarList,
                 &SelectedGrid, &ResetBtn,   &UpdateBtn, &SaveVarBtn,     &PlusBtn,
                 &MinusBtn,     &TimesBtn,   &PlotBtn,   &DFTBtn,         &WidthsBtn});

    BindHandlers();
}

TDataSelForm::~TDataSelForm() = default;

void TDataSelForm::PlaceControls() {
    struct B {
        TButton& b;
        const char* caption;
        int x, y, w;
    };
    for (const B& b : {B{LoadBtn, "Load...", 4, 4, 56}, B{RefreshBtn, "Refresh", 64, 4, 56},
                       B{OptionsBtn, "Program Options", 376, 4, 104}, B{AboutBtn, "?", 544, 4, 20},
                       B{PlotBtn, "Plot", 310, 4, 64}, B{DFTBtn, "Four", 310, 31, 64},
                       B{ResetBtn, "Reset", 4, 191, 56}, B{UpdateBtn, "Update", 64, 191, 56},
                       B{SaveVarBtn, "Save variables...", 124, 191, 104}}) {
        b.b.SetCaption(b.caption);
        b.b.SetBounds(b.x, b.y, b.w, 23);
    }
    struct S {
        TSpeedButton& b;
        const char* caption;
        int x, y, w, group;
    };
    for (const S& s : {S{RefUpdBtn, "Fixed-Scale Refresh", 124, 4, 126, 1},
                       S{MultiFileBtn, "Allow Multiple Files", 254, 4, 118, 2},
                       S{SSSpeedBtn, "SS", 488, 4, 24, 0}, S{LSSpeedBtn, "LS", 516, 4, 24, 0},
                       S{WidthsBtn, "<- ->", 310, 58, 64, 3}, S{PlusBtn, "+", 232, 191, 22, 4},
                       S{MinusBtn, "-", 256, 191, 22, 5}, S{TimesBtn, "*", 280, 191, 22, 6}}) {
        s.b.SetCaption(s.caption);
        s.b.SetBounds(s.x, s.y, s.w, 23);
        if (s.group) {
            s.b.SetGroupIndex(s.group);
            s.b.SetAllowAllUp(true);
        }
    }
    SSSpeedBtn.SetHint("Save state");
    LSSpeedBtn.SetHint("Restore saved state");
    for (TControl* c : {static_cast<TControl*>(&SSSpeedBtn), static_cast<TControl*>(&LSSpeedBtn),
                        static_cast<TControl*>(&WidthsBtn), static_cast<TControl*>(&FileStringGrid),
                        static_cast<TControl*>(&SelectedGrid)})
        c->SetShowHint(true);
    FileStringGrid.SetBounds(0, 31, kDesignClientWidth, 92);
    Variables.SetCaption("Variables");
    Variables.SetBounds(4, 127, 120, 16);
    VarList.SetBounds(4, 143, 172, kDesignClientHeight - 143);
    Panel2.SetBounds(180, 127, 388, 220);
    Panel2.SetBevelOuter(bvLowered);
    SelectedGrid.SetBounds(4, 4, 300, 183);
    // With wide names these buttons move over the grid's free right part: they stay on top.
    for (TControl* c : {static_cast<TControl*>(&PlotBtn), static_cast<TControl*>(&DFTBtn),
                        static_cast<TControl*>(&WidthsBtn)})
        c->BringToFront();
}

// Every handler is bound after the start values are set, so that nothing done while
// building the window reaches a handler.
void TDataSelForm::BindHandlers() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    LoadBtn.OnClick = [this](TObject* s) { LoadBtnClick(s); };
    RefreshBtn.OnClick = [this](TObject* s) { RefreshBtnClick(s); };
    RefUpdBtn.OnClick = [this](TObject* s) { RefUpdBtnClick(s); };
    MultiFileBtn.OnClick = [this](TObject* s) { MultiFileBtnClick(s); };
    WidthsBtn.OnClick = [this](TObject* s) { WidthsBtnClick(s); };
    OptionsBtn.OnClick = [this](TObject* s) { OptionsBtnClick(s); };
    AboutBtn.OnClick = [this](TObject* s) { AboutBtnClick(s); };
    ResetBtn.OnClick = [this](TObject* s) { ResetBtnClick(s); };
    PlotBtn.OnClick = [this](TObject* s) { PlotBtnClick(s); };
    UpdateBtn.OnClick = [this](TObject* s) { UpdateBtnClick(s); };
    DFTBtn.OnClick = [this](TObject* s) { DFTBtnClick(s); };
    SaveVarBtn.OnClick = [this](TObject* s) { SaveVarBtnClick(s); };
    PlusBtn.OnClick = [this](TObject* s) { PlusBtnClick(s); };
    MinusBtn.OnClick = [this](TObject* s) { MinusBtnClick(s); };
    TimesBtn.OnClick = [this](TObject* s) { TimesBtnClick(s); };
    SSSpeedBtn.OnClick = [this](TObject* s) { SSSpeedBtnClick(s); };
    LSSpeedBtn.OnClick = [this](TObject* s) { LSSpeedBtnClick(s); };

    VarList.OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        VarListMouseDown(s, b, sh, x, y);
    };
    VarList.OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        VarListMouseUp(s, b, sh, x, y);
    };
    FileStringGrid.OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        FileStringGridMouseUp(s, b, sh, x, y);
    };
    FileStringGrid.OnDblClick = [this](TObject* s) { FileStringGridDblClick(s); };
    FileStringGrid.OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
        SelectedGridKeyDown(s, k, sh);
    };
    SelectedGrid.OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SelectedGridMouseUp(s, b, sh, x, y);
    };
    SelectedGrid.OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
        SelectedGridKeyDown(s, k, sh);
    };
    SelectedGrid.OnKeyPress = [this](TObject* s, char& k) { SelectedGridKeyPress(s, k); };
    FileStringGrid.OnKeyPress = [this](TObject* s, char& k) { SelectedGridKeyPress(s, k); };
    SelectedGrid.OnEditText = [this](int c, int r, const std::string& t) {
        SelectionCellEdited(c, r, t);
    };
    FileStringGrid.OnEditText = [this](int c, int r, const std::string& t) {
        FileCellEdited(c, r, t);
    };
    User1->OnClick = [this](TObject* s) { User1Click(s); };
    smtimefactor1->OnClick = [this](TObject* s) { smtimefactor1Click(s); };
    shtimefactor1->OnClick = [this](TObject* s) { shtimefactor1Click(s); };
}

void TDataSelForm::FormCreate(TObject*) {
    DragAcceptFiles(true);
    if (Application) Application->HintHidePause = 5000;

    // The grids' design sizes are kept: the scaling below works from them.
    designFileColWidths_.clear();
    designSelColWidths_.clear();
    for (int c = 0; c < FileStringGrid.ColCount(); ++c)
        designFileColWidths_.push_back(FileStringGrid.ColWidths(c));
    for (int c = 0; c < SelectedGrid.ColCount(); ++c)
        designSelColWidths_.push_back(SelectedGrid.ColWidths(c));
    designFileRowHeight_ = FileStringGrid.DefaultRowHeight();
    designSelRowHeight_ = SelectedGrid.DefaultRowHeight();
    const bool wasScaled = Scaled();
    SetScaled(true);
    ScaleBy(globals_.scaleMul, globals_.scaleDiv);
    SetScaled(wasScaled);
    SetLeft(globals_.workArea.Left);

    const float sf = globals_.scaleFactor;
    for (int c = 0; c < FileStringGrid.ColCount(); ++c)
        FileStringGrid.SetColWidths(
            c, static_cast<int>(
                   static_cast<float>(designFileColWidths_[static_cast<std::size_t>(c)]) * sf));
    FileStringGrid.SetDefaultRowHeight(
        static_cast<int>(static_cast<float>(designFileRowHeight_) * sf));
    for (int c = 0; c < SelectedGrid.ColCount(); ++c)
        SelectedGrid.SetColWidths(
            c, static_cast<int>(
                   static_cast<float>(designSelColWidths_[static_cast<std::size_t>(c)]) * sf));
    SelectedGrid.SetDefaultRowHeight(
        static_cast<int>(static_cast<float>(designSelRowHeight_) * sf));

    int used = 0;
    for (int c = 0; c <= 4; ++c)
        used += FileStringGrid.ColWidths(c) + 1;
    FileStringGrid.SetColWidths(5, ClientWidth() - used);
    FileStringGrid.SetColWidths(6, FileStringGrid.ColWidths(5));
    used = 0;
    for (int c = 0; c <= 3; ++c)
        used += SelectedGrid.ColWidths(c) + 1;
    SelectedGrid.SetColWidths(0, SelectedGrid.ColWidths(0) + SelectedGrid.ClientWidth() - used);
    TMyFont& header = SelectedGrid.GetFontFixedRow(0);
    header.SetSize(static_cast<int>(static_cast<float>(header.Size()) * sf + 0.5f));

    designWidth = Width();
    designHeight = Height();
    createdHeight_ = designHeight;
    SetTop(Top() + globals_.instanceOffset);

    if (options_.Flag(poRememberWindows)) {
        SetTop(globals_.winPos[0]);
        SetLeft(globals_.winPos[1]);
        SetHeight(globals_.winPos[2]);
        if (globals_.wideNames) {
            WidthsBtn.SetDown(true);
            WidthsBtnClick(&WidthsBtn);
        }
    }

    SelectedGrid.GetFontRow(1).SetColor(clBlack);
    SelectedGrid.GetFontFixedRow(1).SetColor(clBlack);

    fileSlots = CSlots{};
    MultiFileBtn.SetDown(fileSlots.Multi());

    if (globals_.instanceNumber > 1) {
        const std::string suffix = " (" + std::to_string(globals_.instanceNumber) + ")";
        SetCaption(Caption() + suffix);
        if (Application) Application->SetTitle(Application->Title() + suffix);
    }

    ResetCurveColours();
    SelectedGrid.SetCells(0, 0, "Variable");
    if (fileSlots.Multi()) {
        SelectedGrid.SetCells(1, 0, "#");
        SelectedGrid.SetHintCell(1, 0, "File Number");
    } else {
        SelectedGrid.SetCells(1, 0, "X");
        SelectedGrid.SetHintCell(1, 0, "X Variable");
    }
    SelectedGrid.SetCells(2, 0, "Factor");
    SelectedGrid.SetCells(3, 0, "Offset");

    PreparedPlot.reset();
    creationDone = true;
    ApplyTrackSizes();

    // The mode follows the layout: two files or more on the command line keep the
    // multi-file layout whatever the registry said.
    ParseCommandLine();
    if (globals_.fileArgCount < 2 && !globals_.multiFileMode) {
        SetLayout(false);
        SetHeight(globals_.winPos[2]);
    } else {
        globals_.multiFileMode = fileSlots.Multi();
    }
    if (options_.Flag(poRememberWindows))
        SetBounds(KeepWholeOnScreen(Left(), Width(), Screen->Width()),
                  KeepWholeOnScreen(Top(), Height(), Screen->Height()), Width(), Height());

    // Every name is made absolute before the first load moves the current folder.
    if (globals_.fileArgCount > 0) {
        std::vector<std::string> names;
        const int n = std::min(globals_.fileArgCount, kMaxFiles);
        for (int k = 0; k < n; ++k)
            names.push_back(ExpandFileName(
                Application ? Application->ParamStr(globals_.firstFileArg + k) : std::string()));
        const std::vector<int> loaded = LoadFiles(names);
        for (int k = 0; k < n; ++k)
            if (loaded[static_cast<std::size_t>(k)] >= 0)
                SetCurrentDir(ExtractFileDir(names[static_cast<std::size_t>(k)]));
        ResetBtnClick(this);
    }

    if (fileSlots.Multi()) {
        if (selection.RowCount() == 0)
            selection.SetCommonXRow(fileSlots.LoadedCount() > 0 ? CommonXName() : std::string(),
                                    false);
    } else if (fileSlots.LoadedCount() > 0) {
        ShowMaxHeader();
    }
    DrawSelection();

    selection.SetTimeUnitOnly('s');
    UpdateLoadEnabled();
    fixedScale = false;
    listTop.fill(0);
}

void TDataSelForm::FormDestroy(TObject*) {
    for (SimOut& f : files)
        f = SimOut{};
}

void TDataSelForm::FormResize(TObject*) {
    if (!creationDone) return;
    VarList.SetHeight(std::max(0, ClientHeight() - VarList.Top()));
}

// Composite mode ends when the user comes back from elsewhere; the activation that a click
// on an operator button itself brings, arriving after the click, leaves it on.
void TDataSelForm::FormActivate(TObject*) {
    if (selection.CompositeMode() && deactivatedInComposite_) SetOperatorMode(false);
}

void TDataSelForm::FormDeactivate(TObject*) {
    if (selection.CompositeMode()) deactivatedInComposite_ = true;
}

void TDataSelForm::UnObscure(TObject*) {
    if (selection.CompositeMode() && deactivatedInComposite_) SetOperatorMode(false);
}

void TDataSelForm::ApplyTrackSizes() {
    if (!creationDone) return;
    SetMinTrackSize(designWidth, designHeight);
    SetMaxTrackSize(designWidth, 0);
}

void TDataSelForm::GrowBelowTable(int dy) {
    FileStringGrid.SetHeight(FileStringGrid.Height() + dy);
    for (TControl* c : {static_cast<TControl*>(&VarList), static_cast<TControl*>(&Variables),
                        static_cast<TControl*>(&Panel2)})
        c->SetTop(c->Top() + dy);
    // The target is taken before the limits move: raising the minimum may already have
    // enlarged the window. The limits go first, so that a smaller window is not held to
    // the old minimum.
    const int target = ClientHeight() + dy;
    designHeight += dy;
    ApplyTrackSizes();
    SetClientSize(ClientWidth(), target);
    FormResize(this);
}

void TDataSelForm::WidthsBtnClick(TObject*) {
    int a = Width() / 15;
    if (WidthsBtn.Down()) {
        WidthsBtn.SetHint("Enlarge space for Factors and Offsets");
    } else {
        a = -a;
        WidthsBtn.SetHint("Enlarge space for variable names");
    }
    VarList.SetWidth(VarList.Width() + a);
    Panel2.SetLeft(Panel2.Left() + a);
    for (TControl* c : {static_cast<TControl*>(&WidthsBtn), static_cast<TControl*>(&DFTBtn),
                        static_cast<TControl*>(&PlotBtn)})
        c->SetLeft(c->Left() - a);
    SelectedGrid.SetColWidths(0, SelectedGrid.ColWidths(0) + a);
    SelectedGrid.SetColWidths(2, SelectedGrid.ColWidths(2) - a);
    SelectedGrid.SetColWidths(3, SelectedGrid.ColWidths(3) - a);
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
        const SCurvixWindows& w = ctx_.windows;
        auto low = [](int v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); };
        auto& p = globals_.winPos;
        p[0] = low(Top());
        p[1] = low(Left());
        // The rows that loaded files added come back with the files: kept out of the
        // height, a start with the same files finds the same window, not a taller one.
        p[2] = low(Height() - std::max(0, designHeight - createdHeight_));
        if (w.PlotWin) {
            p[3] = low(w.PlotWin->Top());
            p[4] = low(w.PlotWin->Left());
            p[5] = low(w.PlotWin->Width());
            p[6] = low(w.PlotWin->Height());
        }
        if (w.Values) {
            p[7] = low(w.Values->Top());
            p[8] = low(w.Values->Left());
        }
        if (w.DFTChart) {
            p[9] = low(w.DFTChart->Top());
            p[10] = low(w.DFTChart->Left());
            p[11] = low(w.DFTChart->Width());
            p[12] = low(w.DFTChart->Height());
        }
    }
    TRegistry registry;
    WriteWindowState(registry, globals_, options_, MessageBox);
}
