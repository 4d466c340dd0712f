#pragma once
// The main window, "Data selection": eight file slots with their table, the variable
// list, the selection grid with factors, offsets and composite variables, and the
// buttons that plot, save, analyse and keep the working state. The state is in two
// models of app/core, the file slots (CSlots) and the selection (CSelection): the
// handlers pass input to them and draw the grids from them. The handlers live in
// several units, one per concern (DataSelLoad, DataSelSelection, DataSelPlot, ...).

#include "AppContext.h"
#include "Button.h"
#include "FileDialogs.h"
#include "Form.h"
#include "Label.h"
#include "ListBox.h"
#include "Menus.h"
#include "ModelGrid.h"
#include "Panel.h"
#include "PlotSnapshot.h"
#include "Selection.h"
#include "SimOut.h"
#include "Slots.h"
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
    // The multi-file (true) or single-file layout: the slots model's, which the button shows
    // and the remembered setting follows.
    void SetLayout(bool multi);
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
    void SelectedGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SelectedGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void SelectedGridKeyPress(TObject* Sender, char& Key);
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
    TModelGrid FileStringGrid;
    TModelGrid SelectedGrid;
    TPopupMenu TimeFactPopup;
    TMenuItem* User1 = nullptr; // items owned by TimeFactPopup
    TMenuItem* smtimefactor1 = nullptr;
    TMenuItem* shtimefactor1 = nullptr;
    TOpenDialog OpenDialog1;
    TSaveDialog SaveDialog1;

    // ---- state shared by the units above (read by tests and the other windows)

    // The models the grids and the list draw: which file is in which slot, and the
    // selection. Nothing is read back from the grids.
    CSlots fileSlots;
    CSelection selection;
    std::array<SimOut, kMaxFiles> files; // one record per slot, never replaced
    int designWidth = 0, designHeight = 0;

    // Plot data: the last successful preparation.
    PlotSnapshotPtr PreparedPlot;
    bool lastPlotOk = false; // the last PlotBtnClick prepared and handed its data over

    // The grids drawn again from the models.
    void DrawSelection();
    void DrawFileTable();
    // Files loaded into slots, for the Load button, dropped files and the command line
    // alike, in the order given: each into the lowest free slot (multi-file layout; a file
    // already loaded is refused) or the current one. Returns the slot of each name, -1 for
    // a file that was not loaded.
    std::vector<int> LoadFiles(const std::vector<std::string>& names);

private:
    std::array<int, kMaxFiles> listTop{}; // the list's first shown item, per slot
    bool fixedScale = false;
    bool creationDone = false;
    int lastMouseY = 0;
    bool doubleClickPending = false;
    TMouseButton firstOperandButton = mbLeft;
    bool updateMode = false; // the next plot is an Update
    // The plot window was zoomed or scaled by hand since the last Plot: Update may keep its
    // scale. The Update button shows it.
    bool updatable_ = false;
    // x is a time: the time factors are offered (the x factor cell's pop-up menu). So at
    // start, as the menu is made.
    bool xIsTime_ = true;

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
    void UpdateLoadEnabled();
    void FillVarList();
    void ShowMaxHeader();
    // What a load through the dialog or a drop does after its files (the common-x row).
    void FinishLoading(bool hadFiles);
    // The table row under a point of the table, from `firstRow` on; -1 when none.
    int FileRowAt(int y, int firstRow) const;
    void RefindSelectionAfterRefresh(int slot);
    void WarnFromReader(const std::string& title, const std::string& text);
    // Reads a file into a record of its own: true when read, else false after showing why.
    // LS reads every file this way before it lets go of the loaded ones.
    bool ReadFile(const std::string& name, bool refresh, SimOut& out);
    // Puts a file read by ReadFile into its slot.
    void CommitFile(int slot, const std::string& name, SimOut&& fresh, bool fixedScale,
                    bool refresh);
    void UnloadSlot(int slot);
    // Ends an edit in progress in either grid before a command changes the models.
    void EndCellEdits();
    // Text typed into a cell of either grid, passed on to the models.
    void SelectionCellEdited(int col, int row, const std::string& text);
    void FileCellEdited(int col, int row, const std::string& text);
    bool lastClickChangedRow_ = false;
    // variable selection
    // Whether x is a time; the time-factor menu shows on a right click only then.
    void SetTimeFactorPopup(bool active);
    void SetUpdatable(bool on);
    // Enter in either grid runs the default button's command: Update after a zoom, else Plot
    // once there is a curve.
    bool EnterRunsACommand() const;
    // The Plot, Save and Four buttons as the selection allows.
    void EnableForSelection();
    std::array<bool, 10> savedEnabled_{}; // the controls composite mode disables
    bool savedDropping_ = false;
    TColor savedFixedColour_ = 0;
    // The window went inactive while composite mode was on: coming back ends it.
    bool deactivatedInComposite_ = false;
    void FormDeactivate(TObject* Sender);
    // plot data and plotting
    // A new snapshot of the selection, or null after showing why not; stores nothing.
    PlotSnapshotPtr BuildSelectionPlot();
    // saved working state
    // Lets go of every loaded file and clears the selection.
    void UnloadAllFiles();
};
