#pragma once
// TfrmMain: the program's one window. It holds the window-wide state, builds its controls in
// code, runs the start-up sequence on its first activation, switches between the creating and
// the extracting mode, moves and sorts the names of its two lists, and keeps the settings file.
// The listing, extraction and creation of group files are its group session's (Groupsession.h);
// the window shows the session its controls through TGroupView, and its file-list and
// action-button handlers call the session.

#include "Version.h"
#include "app/Groupsession.h"
#include "menus/Barmenus.h"
#include "toolkit/Buttons.h"
#include "toolkit/Extctrls.h"
#include "toolkit/Filectrl.h"
#include "toolkit/Forms.h"
#include "toolkit/Platform.h"
#include "toolkit/Shell.h"
#include "toolkit/Stdctrls.h"
#include "widgets/Orncheckbox.h"
#include "widgets/Orndrawmodule.h"
#include "widgets/Orngradient.h"
#include "widgets/Ornmesg.h"
#include "widgets/Wdgradient.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TfrmMain : public TForm, private TGroupView {
public:
    explicit TfrmMain(TComponent* owner);
    ~TfrmMain() override;

    // ---- Window-wide state, written by the start-up sequence (lastFolder also by
    // LoadSettings) and kept for the whole run.
    const std::string versionText = MorvikVersionText;
    bool extractMode = false;
    // The program's folder, with its trailing path delimiter.
    std::string programFolder;
    // The folder to show at start: the command-line file's, or the LastFolder setting.
    std::string lastFolder;
    // The file-name part of the first command-line argument; empty without one.
    std::string commandLineFile;

    // ---- Controls, owned by the form
    TWDGradientPanel* PanelHeader;
    TSpeedButton* btnOptions;
    TPanel* PanelMain;
    TOrnGradient* OrnGradient1;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TDriveComboBox* DriveComboBox1;
    TDirectoryListBox* DirectoryListBox1;
    TFileListBox* FileListBox1;
    TListBox* ListBox1;
    TOrnCheckBox* OrnCheckBox1;
    TSpeedButton* btnAddAll;
    TSpeedButton* btnFilesAdd;
    TSpeedButton* btnFilesSub;
    TImage* Image1;
    TLabel* Label1;
    TEdit* EditGrp;
    TSpeedButton* btnName;
    TSpeedButton* btnType;
    TEdit* EditGrpFile;
    TSpeedButton* btnGroup;
    TSpeedButton* btnExtract;
    TFileListBox* FileListBox2;
    TWDGradientPanel* PanelBottom;
    TSpeedButton* btnMExtract;
    TSpeedButton* btnMGroup;
    TSpeedButton* btnQuit;
    TOrnMesg* OrnMesg1;

    // ---- The Options menu and its draw module, owned by the form (Optionsmenu.cpp)
    TOrnDrawModule* OrnDrawModule1;
    TBcBarPopupMenu* MenuPopupOptions;
    TMenuItem* DesktopIcon1;
    TMenuItem* AboutMorvik1;
    TMenuItem* N1;
    TMenuItem* Cancel1;
    TMenuItem* QuitApplication1;

    // ---- Operations
    // Colours the Create button's caption yellow when creating is possible, black otherwise.
    void UpdateGroupButton();
    // Moves the marked names (all names when all) of the file list to the list to pack, group
    // and zip files excepted.
    void AddFiles(bool all);
    // Moves the marked names of the list to pack back into the file list.
    void RemoveFiles();
    void LoadSettings();
    // Raises "Unable to write to <file>" when the settings file cannot be written.
    void SaveSettings();
    // The settings file: in the system's folder for the program's settings, or beside the
    // program where the system has none (Windows).
    std::string SettingsFileName() const;

    // ---- Event handlers
    void FormActivate(TComponent* sender);
    void FormDestroy(TComponent* sender);
    void btnMGroupClick(TComponent* sender);
    void btnMExtractClick(TComponent* sender);
    void btnGroupMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void btnExtractMouseMove(TComponent* sender, TShiftState shift, int x, int y);
    void btnOptionsMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x,
                             int y);
    void btnOptionsClick(TComponent* sender);
    void btnQuitClick(TComponent* sender);
    void btnFilesAddClick(TComponent* sender);
    void btnAddAllClick(TComponent* sender);
    void btnFilesSubClick(TComponent* sender);
    void btnNameClick(TComponent* sender);
    void btnTypeClick(TComponent* sender);
    void DirectoryListBox1DblClick(TComponent* sender);
    void ListBox1Enter(TComponent* sender);
    void ListBox1Exit(TComponent* sender);
    void ListBox1Click(TComponent* sender);
    void FileListBox1Click(TComponent* sender);
    void FileListBox1MouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x,
                             int y);
    void btnGroupClick(TComponent* sender);
    void btnExtractClick(TComponent* sender);
    // Files dropped from the shell (Groupdrop.cpp): the first group file is opened as a click
    // on it in the file list opens it; in creating mode files of one folder are added to the
    // list to pack as "Add Filles" adds them, unless the drop holds only group files. Folders
    // are ignored; anything else is refused with the default beep and a message.
    void FormDropFiles(TComponent* sender, const std::vector<std::string>& paths);

    // ---- The Options menu's commands (Groupoptions.cpp); "Quit Application" is btnQuitClick.
    // Writes a link to the program on the desktop (Morvik.lnk on Windows).
    void DesktopIcon1Click(TComponent* sender);
    void AboutMorvik1Click(TComponent* sender);
    void Cancel1Click(TComponent* sender);

    // The listing, extraction and creation of group files, with the table of listed entries.
    const TGroupSession& Session() const { return GroupSession; }

private:
    // ---- TGroupView: the controls, as the group session sees them
    bool Extracting() const override { return extractMode; }
    std::string Folder() const override;
    std::optional<std::string> ChosenFile() const override;
    std::vector<std::string> ListNames() const override;
    std::vector<std::string> MarkedNames() const override;
    bool ExtractAll() const override;
    void ShowEntries(const std::vector<std::string>& names, int current) override;
    std::string GroupName() const override;
    void SetGroupName(const std::string& name) override;
    std::string TargetName() const override;
    void SetTargetName(const std::string& name) override;
    void SetTargetHint(const std::string& hint) override;
    TModalResult Ask(const std::string& text, const std::string& caption) override;
    void Refuse(const std::string& text) override;
    void Sound(TSoundType type) override;
    void FolderFilesChanged() override;
    bool FolderHoldsFiles(const std::string& folder) override;
    // A refusal of the window's own: the default sound, then text in the information dialog.
    void ShowRefusal(const std::string& text);

    // Makes the controls of the window's control table, links them and sets their tab order.
    void CreateControls();
    void ConnectEvents();
    // Builds the Options menu as a stored layout loads it: items first, then Loaded hooks them.
    void CreateOptionsMenu();
    // The caption "Morvik - v<version> - " followed by title.
    void SetTitle(const std::string& title);
    // The captions over the three lists; the folder list's is the same in both modes.
    void SetListCaptions(const std::string& files, const std::string& toPack);
    // The add and remove buttons, shown in creating mode only.
    void SetMovingButtonsVisible(bool visible);
    void SetSortButtonsVisible(bool visible);
    // What both mode switches do to the lists and the entry table, in this order.
    void EnterListsMode(bool extracting, const std::string& mask);
    // Moves the items of from for which moves(index) is true to the end of to, then focuses to
    // and recolours; only beeps when from is empty.
    void MoveItems(TListBox& from, TListBox& to, const std::function<bool(int)>& moves);
    // Sorts the file list and then the list to pack by keyOf, then recolours.
    void SortLists(std::string (*keyOf)(const std::string&));
    // Whether "Add Filles" moves a file of that name: group and zip files stay behind.
    static bool GoesIntoGroup(const std::string& name);

    // ---- Dropped files (Groupdrop.cpp)
    void OpenDroppedGroupFile(const std::string& path);
    void AddDroppedFiles(const std::vector<std::string>& files);
    // False, after a refusal with the system's reason, when path cannot be opened for reading.
    bool CanOpenDropped(const std::string& path);

    // The start-up sequence runs on the first activation only.
    bool StartedUp = false;
    TGroupSession GroupSession{*this, Platform().Shell().ProgramFileName("Morvik")};
};

// The main window of the running program, set by the program entry; nullptr when there is none.
extern TfrmMain* frmMain;
