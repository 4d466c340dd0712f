#pragma once
// The main window, "Data selection": eight file slots with their table, the variable
// list, the selection grid with factors, offsets and composite variables, and the
// buttons that plot, save, analyse and keep the working state. Its handlers live in
// several units, one per concern (DataSelLoad, DataSelSelection, DataSelPlot, ...).

#include "AppContext.h"
#include "Aligrid.h"
#include "Button.h"
#include "FileDialogs.h"
#include "Form.h"
#include "Label.h"
#include "ListBox.h"
#include "Menus.h"
#include "Panel.h"
#include "PlotSnapshot.h"
#include "SimOut.h"
#include "SpeedButton.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TDataSelForm : public TForm {
public:
    TDataSelForm(TComponent* owner, SAppContext& ctx);
    ~TDataSelForm() override;

    // ---- window and start-up (DataSelFF.cpp)
    int ParseCommandLine();
    void AboutBtnClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // The application's activation handler: leaves the composite-variable mode.
    void UnObscure(TObject* Sender);
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormActivate(TObject* Sender);

    // ---- file slots and loading (DataSelLoad.cpp)
    void LoadBtnClick(TObject* Sender);
    // 0 loaded, 1 failed (the slot keeps what it held).
    int LoadFile(int slot, const std::string& name, bool fixedScale, bool refresh);
    void RefreshBtnClick(TObject* Sender);
    void RefUpdBtnClick(TObject* Sender);
    void FileStringGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                               int Y);
    void FileStringGridDblClick(TObject* Sender);
    void SelectFileRow(int row);
    void MultiFileBtnClick(TObject* Sender);
    void WidthsBtnClick(TObject* Sender);
    std::string CommonXName();
    // Files dropped on the window (the framework calls it while dropping is on).
    void DropFiles(const std::vector<std::string>& names) override;

    // ---- program options (OptionsFF.cpp holds the dialog)
    void OptionsBtnClick(TObject* Sender);

    // ---- variable selection (DataSelSelection.cpp)
    void VarListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void VarListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void AddSelectedVariable(int index, bool right);
    void RemoveSelectedRow(int row);
    void SelectedGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                             int Y);
    void SelectedGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void ResetBtnClick(TObject* Sender);
    void PlusBtnClick(TObject* Sender);
    void MinusBtnClick(TObject* Sender);
    void TimesBtnClick(TObject* Sender);
    void SetOperatorMode(bool on);
    void User1Click(TObject* Sender);
    void smtimefactor1Click(TObject* Sender);
    void shtimefactor1Click(TObject* Sender);
    bool ResolveCompositeName(int record);
    bool SelectionFromOneFile();
    static void SwapGridRows(TStringAlignGrid& grid, int a, int b);
    void ApplyDefaultFO(int row);
    void StoreDefaultFO(int row);
    TColor AllocCurveColour();
    void FreeCurveColour(TColor c);
    void ResetCurveColours();
    void EnableUpdate();
    void DisableUpdate();

    // ---- plot data and plotting (DataSelPlot.cpp)
    // 0 prepared (the new snapshot is in PreparedPlot), non-zero failed.
    int PreparePlotData();
    void PlotBtnClick(TObject* Sender);
    void UpdateBtnClick(TObject* Sender);

    // ---- saving variables (DataSelSave.cpp)
    void SaveVarBtnClick(TObject* Sender);

    // ---- saved working state (DataSelState.cpp)
    void SSSpeedBtnClick(TObject* Sender);
    void LSSpeedBtnClick(TObject* Sender);

    // ---- Fourier button (DataSelFourier.cpp)
    void DFTBtnClick(TObject* Sender);

    // ---- controls (a container comes before the controls placed on it)
    TPanel Panel2;
    TButton LoadBtn, RefreshBtn, OptionsBtn, SaveVarBtn, PlotBtn, UpdateBtn, DFTBtn, AboutBtn,
        ResetBtn;
    TSpeedButton RefUpdBtn, MultiFileBtn, WidthsBtn, PlusBtn, MinusBtn, TimesBtn, SSSpeedBtn,
        LSSpeedBtn;
    TLabel Variables;
    TListBox VarList;
    TStringAlignGrid FileStringGrid;
    TStringAlignGrid SelectedGrid;
    TPopupMenu TimeFactPopup;
    TMenuItem* User1 = nullptr; // items owned by TimeFactPopup
    TMenuItem* smtimefactor1 = nullptr;
    TMenuItem* shtimefactor1 = nullptr;
    TOpenDialog OpenDialog1;
    TSaveDialog SaveDialog1;

    // ---- state shared by the units above (read by tests and the other windows)

    // Slots.
    int designWidth = 0, designHeight = 0;
    std::array<SimOut, kMaxFiles> files; // one record per slot, never replaced
    std::array<std::string, kMaxFiles> fileNames;
    std::uint8_t freeSlots = 0xFF; // bit k set: slot k free
    int currentSlot = 0;
    int currentFileRow = 0;
    int previousFileRow = 0;
    int loadedFiles = 0;
    std::array<int, kMaxFiles> listTop{};
    bool fixedScale = false;
    bool creationDone = false;
    int lastMouseY = 0;
    bool doubleClickPending = false;

    // Selection.
    struct SSelRecord {
        std::int32_t slot = 0;
        std::int32_t variable = 0;
        std::int32_t second = -1;     // second operand of a composite, else -1
        std::int32_t operatorPos = 0; // 1-based position of the operator in the name
    };
    struct SDefaultFO {
        std::string name;
        float factor = 1, offset = 0;
    };
    int selectionRows = 0;
    int xRow = 1;
    std::array<SSelRecord, 10> selRecords{};
    std::array<int, kMaxFiles> curvesPerSlot{};
    char operatorChar = '+';
    bool compositeMode = false;
    bool firstOperandPending = false;
    TMouseButton firstOperandButton = mbLeft;
    bool xIsFirstVariable = true;
    std::string timeUnit = "s";
    std::array<TColor, kMaxCurves> curveColours{};
    std::array<bool, kMaxCurves> colourInUse{};
    std::vector<SDefaultFO> defaultFO; // at most 20, filled in order

    // Plot data: the last successful preparation, and whether the next plot is an Update.
    PlotSnapshotPtr PreparedPlot;
    bool updateMode = false;
    bool lastPlotOk = false; // the last PlotBtnClick prepared and handed its data over

private:
    SAppContext& ctx_;
    SGlobalVars& globals_;
    SProgramOptions& options_;

    // ---- private helpers of the units (each unit adds its own below its heading)
    // window and start-up
    void BindHandlers();
    void PlaceControls();
    // Moves what lies below the file table by dy and makes the window taller by it.
    void GrowBelowTable(int dy);
    // The size limits of the window, once it is created.
    void ApplyTrackSizes();
    std::vector<int> designFileColWidths_, designSelColWidths_;
    int designFileRowHeight_ = 17, designSelRowHeight_ = 17;
    // The height right after scaling: what the file table's extra rows add comes on top.
    int createdHeight_ = 0;
    // file slots and loading
    int LowestFreeSlot() const;
    bool SlotLoaded(int slot) const { return (freeSlots & (1u << slot)) == 0; }
    void UpdateLoadEnabled();
    void FillVarList();
    void ShowMaxHeader();
    // What a load through the dialog or a drop does after its files (the common-x row).
    void FinishLoading(bool hadFiles);
    // A loaded file's slot whose file is `name`; -1 when none.
    int LoadedSlotOf(const std::string& name) const;
    // The table row under a point of the table, from `firstRow` on; -1 when none.
    int FileRowAt(int y, int firstRow) const;
    void WriteFileRow(int row, int slot);
    void RefindSelectionAfterRefresh(int slot);
    void WarnFromReader(const std::string& title, const std::string& text);
    bool lastClickChangedRow_ = false;
    // variable selection
    // The time-factor menu shows on a right click only while active.
    void SetTimeFactorPopup(bool active);
    TColor RowColour(int row) const; // the row's curve colour, held by its name cell
    void SetRowLook(int row, TColor colour, bool italic);
    void ClearPendingOperand();
    std::array<bool, 10> savedEnabled_{}; // the controls composite mode disables
    bool savedDropping_ = false;
    TColor savedFixedColour_ = 0;
    // plot data and plotting
    // A new snapshot of the selection, or null after showing why not; stores nothing.
    PlotSnapshotPtr BuildSelectionPlot();
    // saving variables
    int SelectionSlot() const; // the slot the selected variables come from
    // saved working state
    // Lets go of every loaded file: the table's rows unloaded as their double clicks do,
    // then row 1 and every slot released.
    void UnloadAllFiles();
    // The selection and the variable list once no file is left.
    void ClearSelectionForNoFiles();
    // The table row that shows the file of a slot; 0 when none does.
    int FileRowOfSlot(int slot) const;
    void DoubleClickFileRow(int row);
    void ClickSelectedColumn1(int row);
};
