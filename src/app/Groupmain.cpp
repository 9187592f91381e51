#include "app/Groupmain.h"

#include "app/Groupglyphs.h"
#include "archive/Entrytable.h"
#include "archive/Grpcreation.h"
#include "archive/Grpextraction.h"
#include "archive/Grplisting.h"
#include "toolkit/Inifiles.h"
#include "toolkit/Sysutils.h"

#include <functional>
#include <initializer_list>

TfrmMain* frmMain = nullptr;

namespace {

const char* const settingsSection = "Setup";

TFont MakeFont(const std::string& name, int height, TFontStyles style, TColor color) {
    TFont font;
    font.Name = name;
    font.Height = height;
    font.Style = style;
    font.Color = color;
    return font;
}

const TFont barFont = MakeFont("MS Sans Serif", -11, 0, clWhite);
const TFont barBoldFont = MakeFont("MS Sans Serif", -11, fsBold, clWhite);
const TFont labelFont = MakeFont("Arial", -11, 0, clWindowText);
const TFont editFont = MakeFont("MS Sans Serif", -11, fsBold, clWindowText);
const TFont dialogFont = MakeFont("MS Sans Serif", -11, 0, clWindowText);

template <class T>
T* Place(T* control, TWinControl* parent, const char* name, int left, int top, int width,
         int height) {
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// The sort keys, in ASCII upper case.
std::string NameKey(const std::string& name) {
    return UpperCase(name);
}

// The text after the first dot, further dots included; the whole name when it has none.
std::string ExtensionKey(const std::string& name) {
    const std::size_t dot = name.find('.');
    return UpperCase(dot == std::string::npos ? name : name.substr(dot + 1));
}

// An exchange sort: every pair (i, j > i) is compared by keys taken from the items standing
// there now, and exchanged when the first is greater. Equal keys are never exchanged. Each
// exchange replaces both texts, which unmarks both positions. std::string compares its bytes as
// unsigned values, never by the locale.
void ExchangeSort(TStrings& items, std::string (*keyOf)(const std::string&)) {
    const int n = items.Count();
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (keyOf(items[i]) > keyOf(items[j])) {
                const std::string t = items[i];
                items.Put(i, items[j]);
                items.Put(j, t);
            }
        }
    }
}

} // namespace

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
    SetName("frmMain");
    SetCaption("Morvik - Create .Grp Files for DN or SW");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    SetFont(dialogFont);
    SetClientWidth(499);
    SetClientHeight(328);
    CreateControls();
    CreateOptionsMenu();
    OnActivate = TNotifyEvent(this, &TfrmMain::FormActivate);
    OnDestroy = TNotifyEvent(this, &TfrmMain::FormDestroy);
}

TfrmMain::~TfrmMain() {
    if (frmMain == this) {
        frmMain = nullptr;
    }
}

void TfrmMain::CreateControls() {
    // A flat speed button with a hand pointer, as every button of the window is.
    auto button = [this](TWinControl* parent, const char* name, TRect bounds,
                         const std::string& caption, const std::string& hint, bool showHint) {
        auto* b = Place(new TSpeedButton(this), parent, name, bounds.Left, bounds.Top,
                        bounds.Width(), bounds.Height());
        b->SetFlat(true);
        b->SetCursor(crHandPoint);
        b->SetCaption(caption);
        b->SetHint(hint);
        b->SetShowHint(showHint);
        return b;
    };
    auto label = [this](const char* name, int left, int top, const std::string& caption) {
        auto* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(PanelMain);
        l->SetTransparent(true);
        l->SetCaption(caption);
        l->SetLeft(left);
        l->SetTop(top);
        return l;
    };

    // The header bar, the main area and the footer bar, stacked from the top.
    PanelHeader = Place(new TWDGradientPanel(this), this, "PanelHeader", 0, 0, 499, 25);
    PanelHeader->SetAlign(alTop);
    PanelHeader->SetColor(clNavy);
    PanelHeader->SetColor2(clNavy);
    PanelHeader->SetFont(barBoldFont);

    PanelBottom = Place(new TWDGradientPanel(this), this, "PanelBottom", 0, 303, 499, 25);
    PanelBottom->SetAlign(alBottom);
    PanelBottom->SetColor(clSilver);
    PanelBottom->SetColor2(clNavy);
    PanelBottom->SetFont(barFont);

    PanelMain = Place(new TPanel(this), this, "PanelMain", 0, 25, 499, 278);
    PanelMain->SetAlign(alClient);

    OrnGradient1 = Place(new TOrnGradient(this), PanelMain, "OrnGradient1", 1, 1, 497, 276);
    OrnGradient1->SetAlign(alClient);
    OrnGradient1->SetColorBegin(clWhite);
    OrnGradient1->SetColorEnd(clGray);
    OrnGradient1->SetGradient(TOrnGradient::gdHorizontal);

    btnOptions = button(PanelHeader, "btnOptions", Bounds(8, 1, 81, 22), "Options", "", true);
    btnOptions->SetFont(barBoldFont);

    Label3 = label("Label3", 6, 4, " Select Directory ");
    Label4 = label("Label4", 170, 4, " Select Files to Group");
    Label5 = label("Label5", 334, 4, " Files to Group");
    for (TLabel* l : {Label3, Label4, Label5}) {
        l->SetFont(labelFont);
    }

    DriveComboBox1 = Place(new TDriveComboBox(this), PanelMain, "DriveComboBox1", 4, 20, 160, 22);
    DriveComboBox1->SetFont(MakeFont("MS Sans Serif", -13, 0, clWindowText));

    DirectoryListBox1 =
        Place(new TDirectoryListBox(this), PanelMain, "DirectoryListBox1", 4, 44, 160, 173);
    DirectoryListBox1->SetItemHeight(16);

    FileListBox1 = Place(new TFileListBox(this), PanelMain, "FileListBox1", 168, 20, 160, 197);
    FileListBox1->SetMultiSelect(true);
    FileListBox1->SetFileType(faReadOnly | faArchive | faNormal);
    FileListBox1->SetHint("Select files to add");
    FileListBox1->SetShowHint(true);

    ListBox1 = Place(new TListBox(this), PanelMain, "ListBox1", 332, 20, 160, 197);
    ListBox1->SetMultiSelect(true);
    ListBox1->SetItemHeight(13);

    // Shown in extracting mode only.
    OrnCheckBox1 = Place(new TOrnCheckBox(this), PanelMain, "OrnCheckBox1", 372, 188, 109, 19);
    OrnCheckBox1->SetCaption(" Extract All Files");
    OrnCheckBox1->SetHint("Extract all files");
    OrnCheckBox1->SetShowHint(true);
    OrnCheckBox1->SetHotTrackColor(clYellow);
    OrnCheckBox1->SetTransparent(true);
    OrnCheckBox1->Hide();

    btnAddAll = button(PanelMain, "btnAddAll", Bounds(168, 220, 78, 25), "Add All",
                       "Add all files to group", true);
    btnAddAll->SetLayout(blGlyphRight);
    btnAddAll->SetGlyph(GroupGlyph(TGroupGlyph::AddAll));
    btnFilesAdd = button(PanelMain, "btnFilesAdd", Bounds(248, 220, 78, 25), "Add Filles",
                         "Add selected files to group", true);
    btnFilesAdd->SetLayout(blGlyphRight);
    btnFilesAdd->SetGlyph(GroupGlyph(TGroupGlyph::FilesAdd));
    btnFilesSub = button(PanelMain, "btnFilesSub", Bounds(336, 220, 155, 25), "  Remove Filles",
                         "Remove selected files", true);
    btnFilesSub->SetGlyph(GroupGlyph(TGroupGlyph::FilesSub));

    Image1 = Place(new TImage(this), PanelMain, "Image1", 10, 225, 17, 16);
    Image1->SetPicture(GroupGlyph(TGroupGlyph::EditName));
    Image1->SetStretch(true);
    Image1->SetTransparent(true);
    Label1 = label("Label1", 32, 226, "Enter Name of Group File");

    EditGrp = Place(new TEdit(this), PanelMain, "EditGrp", 8, 248, 155, 21);
    EditGrp->SetFont(editFont);
    EditGrp->SetText("MyGroup.grp");
    EditGrp->SetShowHint(true);

    btnName = button(PanelMain, "btnName", Bounds(168, 248, 78, 25), "Sort Name",
                     "Sort lists by name", true);
    btnType = button(PanelMain, "btnType", Bounds(248, 248, 78, 25), "Sort Extn",
                     "Sort lists by extension", true);

    EditGrpFile = Place(new TEdit(this), PanelMain, "EditGrpFile", 172, 248, 145, 21);
    EditGrpFile->SetFont(editFont);
    EditGrpFile->SetReadOnly(true);
    EditGrpFile->SetShowHint(true);
    EditGrpFile->Hide();

    // btnGroup and btnExtract share one place; the mode shows one of them.
    btnGroup = button(PanelMain, "btnGroup", Bounds(336, 248, 155, 25), " Create GRP", "", true);
    btnGroup->SetGlyph(GroupGlyph(TGroupGlyph::CreateGroup));
    btnExtract =
        button(PanelMain, "btnExtract", Bounds(336, 248, 155, 25), " Extract GRP", "", true);
    btnExtract->SetGlyph(GroupGlyph(TGroupGlyph::Extract));
    btnExtract->Hide();

    FileListBox2 = Place(new TFileListBox(this), PanelMain, "FileListBox2", 84, 140, 69, 69);
    FileListBox2->Hide();

    btnMExtract =
        button(PanelBottom, "btnMExtract", Bounds(12, 1, 110, 22), " M-Extract  ", "", true);
    btnMExtract->SetFont(barBoldFont);
    btnMExtract->SetLayout(blGlyphRight);
    btnMExtract->SetGlyph(GroupGlyph(TGroupGlyph::ModeExtract));
    btnMGroup = button(PanelBottom, "btnMGroup", Bounds(140, 1, 110, 22), " M-Group ", "", true);
    btnMGroup->SetFont(barBoldFont);
    btnMGroup->SetGlyph(GroupGlyph(TGroupGlyph::ModeGroup));
    btnQuit = button(PanelBottom, "btnQuit", Bounds(382, 2, 110, 21), "&Quit", "", false);
    btnQuit->SetFont(barBoldFont);
    btnQuit->SetGlyph(GroupGlyph(TGroupGlyph::Quit));

    // The folder list drives the file list; the drive list drives the folder list.
    DirectoryListBox1->SetFileList(FileListBox1);
    DriveComboBox1->SetDirList(DirectoryListBox1);

    int tabOrder = 0;
    for (TWinControl* control : std::initializer_list<TWinControl*>{
             DirectoryListBox1, FileListBox1, ListBox1, EditGrp, OrnCheckBox1, DriveComboBox1,
             FileListBox2, EditGrpFile}) {
        control->SetTabOrder(tabOrder++);
    }

    OrnMesg1 = new TOrnMesg(this);
    OrnMesg1->SetName("OrnMesg1");
    OrnMesg1->SetColorGradient1(clWhite);
    OrnMesg1->SetColorGradient2(clGray);
    OrnMesg1->SetFontText(dialogFont);
    OrnMesg1->SetFontButton(dialogFont);
    OrnMesg1->SetSoundNum(-1);
    OrnMesg1->SetSymbol(dgWarning);
    OrnMesg1->SetVerticalGradient(false);

    btnOptions->OnMouseDown = TMouseEvent(this, &TfrmMain::btnOptionsMouseDown);
    btnOptions->OnClick = TNotifyEvent(this, &TfrmMain::btnOptionsClick);
    btnAddAll->OnClick = TNotifyEvent(this, &TfrmMain::btnAddAllClick);
    btnFilesAdd->OnClick = TNotifyEvent(this, &TfrmMain::btnFilesAddClick);
    btnFilesSub->OnClick = TNotifyEvent(this, &TfrmMain::btnFilesSubClick);
    btnName->OnClick = TNotifyEvent(this, &TfrmMain::btnNameClick);
    btnType->OnClick = TNotifyEvent(this, &TfrmMain::btnTypeClick);
    btnGroup->OnMouseMove = TMouseMoveEvent(this, &TfrmMain::btnGroupMouseMove);
    btnExtract->OnMouseMove = TMouseMoveEvent(this, &TfrmMain::btnExtractMouseMove);
    btnMExtract->OnClick = TNotifyEvent(this, &TfrmMain::btnMExtractClick);
    btnMGroup->OnClick = TNotifyEvent(this, &TfrmMain::btnMGroupClick);
    btnQuit->OnClick = TNotifyEvent(this, &TfrmMain::btnQuitClick);
    DirectoryListBox1->OnDblClick = TNotifyEvent(this, &TfrmMain::DirectoryListBox1DblClick);
    ListBox1->OnEnter = TNotifyEvent(this, &TfrmMain::ListBox1Enter);
    ListBox1->OnExit = TNotifyEvent(this, &TfrmMain::ListBox1Exit);
    ListBox1->OnClick = TNotifyEvent(this, &TfrmMain::ListBox1Click);
    FileListBox1->OnClick = TNotifyEvent(this, &TfrmMain::FileListBox1Click);
    FileListBox1->OnMouseUp = TMouseEvent(this, &TfrmMain::FileListBox1MouseUp);
    btnGroup->OnClick = TNotifyEvent(this, &TfrmMain::btnGroupClick);
    btnExtract->OnClick = TNotifyEvent(this, &TfrmMain::btnExtractClick);
}

// ---- Start-up, modes and quitting --------------------------------------------------------------

void TfrmMain::FormActivate(TComponent* /*sender*/) {
    if (StartedUp) {
        return;
    }
    StartedUp = true;
    programFolder = ExtractFilePath(Application().ExeName());
    const std::string argument = ParamStr(1);
    if (!argument.empty()) {
        lastFolder = ExtractFilePath(argument);
        commandLineFile = ExtractFileName(argument);
    } else {
        LoadSettings();
    }
    DirectoryListBox1->SetDirectory(DirectoryExists(lastFolder) ? lastFolder : programFolder);
    DirectoryListBox1->Update();
    SetTitle("Manage .Grp File");
    if (!commandLineFile.empty()) {
        btnMExtractClick(this);
    }
}

void TfrmMain::FormDestroy(TComponent* /*sender*/) {
    // Before the start-up sequence the program's folder is unknown: the settings would land in
    // whatever folder is current.
    if (StartedUp) {
        SaveSettings();
    }
}

void TfrmMain::btnMGroupClick(TComponent* /*sender*/) {
    SetTitle("Create a .Grp File");
    btnExtract->Hide();
    btnGroup->Show();
    SetListCaptions(" Select Files to Group", " Files to Group");
    btnGroup->SetCaption("Create GRP");
    SetMovingButtonsVisible(true);
    OrnCheckBox1->Hide();
    EnterListsMode(false, "*.*");
    EditGrp->SetWidth(155);
    EditGrp->SetText("MyGroup.grp");
    EditGrp->SetHint("");
    EditGrp->SetReadOnly(false);
    Label1->SetCaption("Enter Name of Group File");
    SetSortButtonsVisible(true);
    EditGrpFile->Hide();
}

void TfrmMain::btnMExtractClick(TComponent* /*sender*/) {
    SetTitle("Extract a .Grp File");
    btnExtract->Show();
    btnGroup->Hide();
    SetListCaptions(" Select .Grp File", " Select Files to Extract");
    SetMovingButtonsVisible(false);
    // The check box moves into the row of the hidden add and remove buttons.
    OrnCheckBox1->Show();
    OrnCheckBox1->SetTop(224);
    EnterListsMode(true, "*.grp");
    EditGrp->SetText("");
    EditGrp->SetHint("");
    EditGrp->SetWidth(155);
    Label1->SetCaption("Name of Extract Directory");
    SetSortButtonsVisible(false);
    EditGrpFile->SetTop(248);
    EditGrpFile->Show();
    EditGrpFile->SetText("");
}

void TfrmMain::SetTitle(const std::string& title) {
    SetCaption("Morvik - v" + versionText + " - " + title);
}

void TfrmMain::SetListCaptions(const std::string& files, const std::string& toPack) {
    Label3->SetCaption(" Select Directory ");
    Label4->SetCaption(files);
    Label5->SetCaption(toPack);
}

void TfrmMain::SetMovingButtonsVisible(bool visible) {
    for (TSpeedButton* button : {btnAddAll, btnFilesAdd, btnFilesSub}) {
        button->SetVisible(visible);
    }
}

void TfrmMain::SetSortButtonsVisible(bool visible) {
    for (TSpeedButton* button : {btnName, btnType}) {
        button->SetVisible(visible);
    }
}

void TfrmMain::EnterListsMode(bool extracting, const std::string& mask) {
    extractMode = extracting;
    ListBox1->Clear();
    FileListBox1->Clear();
    FileListBox1->SetMask(mask);
    FileListBox1->Update();
    entryTable.Clear();
    UpdateGroupButton();
}

void TfrmMain::UpdateGroupButton() {
    TColor color = clBlack;
    if (!extractMode && ListBox1->Items().Count() > 0 && !EditGrp->Text().empty()) {
        color = clYellow;
    }
    TFont font = btnGroup->Font();
    font.Color = color;
    btnGroup->SetFont(font);
}

void TfrmMain::btnGroupMouseMove(TComponent* /*sender*/, TShiftState /*shift*/, int /*x*/,
                                 int /*y*/) {
    btnGroup->SetHint("Create " + EditGrp->Text());
}

void TfrmMain::btnExtractMouseMove(TComponent* /*sender*/, TShiftState /*shift*/, int /*x*/,
                                   int /*y*/) {
    btnExtract->SetHint("Extract from: " + EditGrp->Text());
}

void TfrmMain::btnOptionsMouseDown(TComponent* /*sender*/, TMouseButton /*button*/,
                                   TShiftState /*shift*/, int /*x*/, int /*y*/) {
    MessageBeep(sndExclamation);
    UpdateGroupButton();
}

void TfrmMain::btnOptionsClick(TComponent* /*sender*/) {
    MenuPopupOptions->PopupAtCursor();
}

void TfrmMain::btnQuitClick(TComponent* /*sender*/) {
    Application().Terminate();
}

// ---- Selection lists and sorting ---------------------------------------------------------------

void TfrmMain::AddFiles(bool all) {
    MoveItems(*FileListBox1, *ListBox1, [this, all](int i) {
        const std::string& name = FileListBox1->Items()[i];
        // A plain substring test, not an extension test: group and zip files, and their
        // backups, stay out of a new group.
        return (all || FileListBox1->Selected(i)) && !IsGroupFileName(name) &&
               UpperCase(name).find(".ZIP") == std::string::npos;
    });
}

void TfrmMain::RemoveFiles() {
    MoveItems(*ListBox1, *FileListBox1, [this](int i) { return ListBox1->Selected(i); });
}

void TfrmMain::MoveItems(TListBox& from, TListBox& to, const std::function<bool(int)>& moves) {
    int n = from.Items().Count();
    if (n == 0) {
        MessageBeep(sndDefault);
        return;
    }
    int i = 0;
    while (i < n) {
        if (!moves(i)) {
            ++i;
            continue;
        }
        to.Items().Add(from.Items()[i]);
        from.Items().Delete(i);
        --n;
    }
    to.SetFocus();
    UpdateGroupButton();
}

void TfrmMain::SortLists(std::string (*keyOf)(const std::string&)) {
    ExchangeSort(FileListBox1->Items(), keyOf);
    ExchangeSort(ListBox1->Items(), keyOf);
    UpdateGroupButton();
}

void TfrmMain::btnFilesAddClick(TComponent* /*sender*/) {
    AddFiles(false);
}

void TfrmMain::btnAddAllClick(TComponent* /*sender*/) {
    AddFiles(true);
}

void TfrmMain::btnFilesSubClick(TComponent* /*sender*/) {
    RemoveFiles();
}

void TfrmMain::btnNameClick(TComponent* /*sender*/) {
    SortLists(NameKey);
}

void TfrmMain::btnTypeClick(TComponent* /*sender*/) {
    SortLists(ExtensionKey);
}

void TfrmMain::DirectoryListBox1DblClick(TComponent* /*sender*/) {
    // The folder list opens the double-clicked folder after this, which re-reads the file list.
    ListBox1->Clear();
    UpdateGroupButton();
}

void TfrmMain::ListBox1Enter(TComponent* /*sender*/) {
    UpdateGroupButton();
}

void TfrmMain::ListBox1Exit(TComponent* /*sender*/) {
    UpdateGroupButton();
}

void TfrmMain::ListBox1Click(TComponent* /*sender*/) {
    UpdateGroupButton();
}

// ---- Settings ----------------------------------------------------------------------------------

std::string TfrmMain::SettingsFileName() const {
    return programFolder + "Morvik.ini";
}

void TfrmMain::LoadSettings() {
    if (!FileExists(SettingsFileName())) {
        return;
    }
    const TIniFile ini(SettingsFileName());
    lastFolder = ini.ReadString(settingsSection, "LastFolder", "");
}

void TfrmMain::SaveSettings() {
    TIniFile ini(SettingsFileName());
    ini.WriteString(settingsSection, "LastFolder", DirectoryListBox1->Directory());
    ini.WriteString(settingsSection, "GroupPath", lastFolder);
    ini.WriteString(settingsSection, "GroupFile", commandLineFile);
}

// ---- The group-file operations -----------------------------------------------------------------

void TfrmMain::FileListBox1Click(TComponent* /*sender*/) {
    ::FileListBox1Click(*this);
}

void TfrmMain::FileListBox1MouseUp(TComponent* /*sender*/, TMouseButton /*button*/,
                                   TShiftState /*shift*/, int /*x*/, int /*y*/) {
    ::FileListBox1MouseUp(*this);
}

void TfrmMain::btnGroupClick(TComponent* /*sender*/) {
    ::btnGroupClick(*this);
}

void TfrmMain::btnExtractClick(TComponent* /*sender*/) {
    ::btnExtractClick(*this);
}

std::string TfrmMain::DirectoryListBox1Directory() const {
    return DirectoryListBox1->Directory();
}

std::optional<std::string> TfrmMain::FileListBox1Current() const {
    const int index = FileListBox1->ItemIndex();
    if (index < 0) {
        return std::nullopt;
    }
    return FileListBox1->Items()[index];
}

void TfrmMain::FileListBox1Update() {
    FileListBox1->Update();
}

bool TfrmMain::FileListBox2HasFiles(const std::string& folder) {
    if (FileListBox2->Directory() == folder) {
        FileListBox2->Update();
    } else {
        FileListBox2->SetDirectory(folder);
    }
    return FileListBox2->Items().Count() > 0;
}

int TfrmMain::ListBox1Count() const {
    return ListBox1->Items().Count();
}

std::string TfrmMain::ListBox1Item(int index) const {
    return ListBox1->Items()[index];
}

bool TfrmMain::ListBox1Selected(int index) const {
    return ListBox1->Selected(index);
}

void TfrmMain::ListBox1Clear() {
    ListBox1->Clear();
}

void TfrmMain::ListBox1Add(const std::string& name) {
    ListBox1->Items().Add(name);
}

void TfrmMain::ListBox1SetItemIndex(int index) {
    ListBox1->SetItemIndex(index);
}

std::string TfrmMain::EditGrpText() const {
    return EditGrp->Text();
}

void TfrmMain::SetEditGrpText(const std::string& text) {
    EditGrp->SetText(text);
}

void TfrmMain::SetEditGrpHint(const std::string& hint) {
    EditGrp->SetHint(hint);
}

std::string TfrmMain::EditGrpFileText() const {
    return EditGrpFile->Text();
}

void TfrmMain::SetEditGrpFileText(const std::string& text) {
    EditGrpFile->SetText(text);
}

bool TfrmMain::OrnCheckBox1Checked() const {
    return OrnCheckBox1->Checked();
}

TModalResult TfrmMain::ShowMessage(const std::string& msg) {
    return OrnMesg1->ShowMessage(msg);
}

TModalResult TfrmMain::MessageShow(const std::string& msg, const std::string& caption,
                                   const std::string& buttons, int x, int y) {
    return OrnMesg1->MessageShow(msg, caption, buttons, x, y);
}

void TfrmMain::MessageBeep(TSoundType type) {
    Platform().MessageBeep(type);
}
