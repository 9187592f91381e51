#include "app/Groupmain.h"

#include "app/Groupglyphs.h"
#include "archive/Grppattern.h"
#include "toolkit/Inifiles.h"
#include "toolkit/Platform.h"
#include "toolkit/Shell.h"
#include "toolkit/Sysutils.h"

#include <cassert>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <type_traits>

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
const TFont driveFont = MakeFont("MS Sans Serif", -13, 0, clWindowText);

// The properties of a control beyond its place and texts. Each kind of control reads those it
// has; a property left out keeps the control's own value (fonts and colours: the parent's).
struct TProperties {
    TAlign Align = alNone;
    const TFont* Font = nullptr;
    // Shows the hint as a tooltip.
    bool Tip = false;
    bool Hidden = false;
    bool Transparent = false;
    std::optional<TColor> Color{};
    std::optional<TColor> Color2{};
    std::optional<TColor> ColorBegin{};
    std::optional<TColor> ColorEnd{};
    TOrnGradient::TGradientDirection Gradient = TOrnGradient::gdHorizontal;
    std::optional<TColor> HotTrackColor{};
    // A button's glyph, or an image's picture.
    std::optional<TGroupGlyph> Glyph{};
    bool GlyphRight = false;
    bool Stretch = false;
    bool MultiSelect = false;
    std::optional<int> ItemHeight{};
    std::optional<std::uint32_t> FileType{};
    bool ReadOnly = false;
};

struct TControlRow;
using TControlMaker = TControl* (*)(TfrmMain& form, const TControlRow& row);

// One control of the window: a row of its control table.
struct TControlRow {
    // The kind: Make<&TfrmMain::member> makes a control of the member's class and stores it
    // there.
    TControlMaker Make;
    const char* Name;
    // The name of the form or of a control of an earlier row.
    const char* Parent;
    // Labels size themselves to their captions: they have a place only (At).
    TRect Bounds;
    // The caption, or an edit's text.
    const char* Caption;
    const char* Hint;
    TProperties More;
};

constexpr TRect At(int left, int top) {
    return Bounds(left, top, 0, 0);
}

// What a row sets on every kind of control.
void ApplyCommon(TfrmMain& form, TControl& control, const TControlRow& row) {
    control.SetName(row.Name);
    auto* parent = std::string(row.Parent) == form.Name()
                       ? &form
                       : dynamic_cast<TWinControl*>(form.FindComponent(row.Parent));
    assert(parent);
    control.SetParent(parent);
    const TRect& r = row.Bounds;
    if (r.IsEmpty()) {
        control.SetLeft(r.Left);
        control.SetTop(r.Top);
    } else {
        control.SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    if (row.More.Align != alNone) {
        control.SetAlign(row.More.Align);
    }
    if (*row.Caption) {
        control.SetCaption(row.Caption);
    }
    if (*row.Hint) {
        control.SetHint(row.Hint);
    }
    if (row.More.Tip) {
        control.SetShowHint(true);
    }
    if (row.More.Font) {
        control.SetFont(*row.More.Font);
    }
}

// What a row sets on a control of one kind.
void ApplyOwn(TControl& /*control*/, const TProperties& /*more*/) {}

void ApplyOwn(TWDGradientPanel& panel, const TProperties& more) {
    if (more.Color) {
        panel.SetColor(*more.Color);
    }
    if (more.Color2) {
        panel.SetColor2(*more.Color2);
    }
}

void ApplyOwn(TOrnGradient& gradient, const TProperties& more) {
    if (more.ColorBegin) {
        gradient.SetColorBegin(*more.ColorBegin);
    }
    if (more.ColorEnd) {
        gradient.SetColorEnd(*more.ColorEnd);
    }
    gradient.SetGradient(more.Gradient);
}

// Every button of the window is a flat speed button with a hand pointer.
void ApplyOwn(TSpeedButton& button, const TProperties& more) {
    button.SetFlat(true);
    button.SetCursor(crHandPoint);
    if (more.GlyphRight) {
        button.SetLayout(blGlyphRight);
    }
    if (more.Glyph) {
        button.SetGlyph(GroupGlyph(*more.Glyph));
    }
}

// Every label of the window lets the gradient show through.
void ApplyOwn(TLabel& label, const TProperties& /*more*/) {
    label.SetTransparent(true);
}

void ApplyOwn(TListBox& list, const TProperties& more) {
    if (more.MultiSelect) {
        list.SetMultiSelect(true);
    }
    if (more.ItemHeight) {
        list.SetItemHeight(*more.ItemHeight);
    }
}

void ApplyOwn(TFileListBox& list, const TProperties& more) {
    ApplyOwn(static_cast<TListBox&>(list), more);
    if (more.FileType) {
        list.SetFileType(*more.FileType);
    }
}

void ApplyOwn(TOrnCheckBox& box, const TProperties& more) {
    if (more.HotTrackColor) {
        box.SetHotTrackColor(*more.HotTrackColor);
    }
    if (more.Transparent) {
        box.SetTransparent(true);
    }
}

void ApplyOwn(TImage& image, const TProperties& more) {
    if (more.Glyph) {
        image.SetPicture(GroupGlyph(*more.Glyph));
    }
    if (more.Stretch) {
        image.SetStretch(true);
    }
    if (more.Transparent) {
        image.SetTransparent(true);
    }
}

void ApplyOwn(TEdit& edit, const TProperties& more) {
    if (more.ReadOnly) {
        edit.SetReadOnly(true);
    }
}

// Makes the control of row, owned by form, as the form's member; a hidden one is hidden last.
template <auto member>
TControl* Make(TfrmMain& form, const TControlRow& row) {
    using TKind = std::remove_pointer_t<std::remove_reference_t<decltype(form.*member)>>;
    auto* control = new TKind(&form);
    form.*member = control;
    ApplyCommon(form, *control, row);
    ApplyOwn(*control, row.More);
    if (row.More.Hidden) {
        control->Hide();
    }
    return control;
}

// The window's controls in the order of their making, which is also their z-order: the header
// bar, the footer bar and the main area, then what stands on them. OrnCheckBox1, EditGrpFile
// and btnExtract show in extracting mode only; btnGroup and btnExtract share one place.
const TControlRow controlTable[] = {
    {Make<&TfrmMain::PanelHeader>, "PanelHeader", "frmMain", Bounds(0, 0, 499, 25), "", "",
     TProperties{.Align = alTop, .Font = &barBoldFont, .Color = clNavy, .Color2 = clNavy}},
    {Make<&TfrmMain::PanelBottom>, "PanelBottom", "frmMain", Bounds(0, 303, 499, 25), "", "",
     TProperties{.Align = alBottom, .Font = &barFont, .Color = clSilver, .Color2 = clNavy}},
    {Make<&TfrmMain::PanelMain>, "PanelMain", "frmMain", Bounds(0, 25, 499, 278), "", "",
     TProperties{.Align = alClient}},
    {Make<&TfrmMain::OrnGradient1>, "OrnGradient1", "PanelMain", Bounds(1, 1, 497, 276), "", "",
     TProperties{.Align = alClient,
                 .ColorBegin = clWhite,
                 .ColorEnd = clGray,
                 .Gradient = TOrnGradient::gdHorizontal}},
    {Make<&TfrmMain::btnOptions>, "btnOptions", "PanelHeader", Bounds(8, 1, 81, 22), "Options", "",
     TProperties{.Font = &barBoldFont, .Tip = true}},
    {Make<&TfrmMain::Label3>, "Label3", "PanelMain", At(6, 4), " Select Directory ", "",
     TProperties{.Font = &labelFont}},
    {Make<&TfrmMain::Label4>, "Label4", "PanelMain", At(170, 4), " Select Files to Group", "",
     TProperties{.Font = &labelFont}},
    {Make<&TfrmMain::Label5>, "Label5", "PanelMain", At(334, 4), " Files to Group", "",
     TProperties{.Font = &labelFont}},
    {Make<&TfrmMain::DriveComboBox1>, "DriveComboBox1", "PanelMain", Bounds(4, 20, 160, 22), "", "",
     TProperties{.Font = &driveFont}},
    {Make<&TfrmMain::DirectoryListBox1>, "DirectoryListBox1", "PanelMain", Bounds(4, 44, 160, 173),
     "", "", TProperties{.ItemHeight = 16}},
    {Make<&TfrmMain::FileListBox1>, "FileListBox1", "PanelMain", Bounds(168, 20, 160, 197), "",
     "Select files to add",
     TProperties{.Tip = true, .MultiSelect = true, .FileType = faReadOnly | faArchive | faNormal}},
    {Make<&TfrmMain::ListBox1>, "ListBox1", "PanelMain", Bounds(332, 20, 160, 197), "", "",
     TProperties{.MultiSelect = true, .ItemHeight = 13}},
    {Make<&TfrmMain::OrnCheckBox1>, "OrnCheckBox1", "PanelMain", Bounds(372, 188, 109, 19),
     " Extract All Files", "Extract all files",
     TProperties{.Tip = true, .Hidden = true, .Transparent = true, .HotTrackColor = clYellow}},
    {Make<&TfrmMain::btnAddAll>, "btnAddAll", "PanelMain", Bounds(168, 220, 78, 25), "Add All",
     "Add all files to group",
     TProperties{.Tip = true, .Glyph = TGroupGlyph::AddAll, .GlyphRight = true}},
    {Make<&TfrmMain::btnFilesAdd>, "btnFilesAdd", "PanelMain", Bounds(248, 220, 78, 25),
     "Add Filles", "Add selected files to group",
     TProperties{.Tip = true, .Glyph = TGroupGlyph::FilesAdd, .GlyphRight = true}},
    {Make<&TfrmMain::btnFilesSub>, "btnFilesSub", "PanelMain", Bounds(336, 220, 155, 25),
     "  Remove Filles", "Remove selected files",
     TProperties{.Tip = true, .Glyph = TGroupGlyph::FilesSub}},
    {Make<&TfrmMain::Image1>, "Image1", "PanelMain", Bounds(10, 225, 17, 16), "", "",
     TProperties{.Transparent = true, .Glyph = TGroupGlyph::EditName, .Stretch = true}},
    {Make<&TfrmMain::Label1>, "Label1", "PanelMain", At(32, 226), "Enter Name of Group File", "",
     TProperties{}},
    {Make<&TfrmMain::EditGrp>, "EditGrp", "PanelMain", Bounds(8, 248, 155, 21), "MyGroup.grp", "",
     TProperties{.Font = &editFont, .Tip = true}},
    {Make<&TfrmMain::btnName>, "btnName", "PanelMain", Bounds(168, 248, 78, 25), "Sort Name",
     "Sort lists by name", TProperties{.Tip = true}},
    {Make<&TfrmMain::btnType>, "btnType", "PanelMain", Bounds(248, 248, 78, 25), "Sort Extn",
     "Sort lists by extension", TProperties{.Tip = true}},
    {Make<&TfrmMain::EditGrpFile>, "EditGrpFile", "PanelMain", Bounds(172, 248, 145, 21), "", "",
     TProperties{.Font = &editFont, .Tip = true, .Hidden = true, .ReadOnly = true}},
    {Make<&TfrmMain::btnGroup>, "btnGroup", "PanelMain", Bounds(336, 248, 155, 25), " Create GRP",
     "", TProperties{.Tip = true, .Glyph = TGroupGlyph::CreateGroup}},
    {Make<&TfrmMain::btnExtract>, "btnExtract", "PanelMain", Bounds(336, 248, 155, 25),
     " Extract GRP", "", TProperties{.Tip = true, .Hidden = true, .Glyph = TGroupGlyph::Extract}},
    {Make<&TfrmMain::FileListBox2>, "FileListBox2", "PanelMain", Bounds(84, 140, 69, 69), "", "",
     TProperties{.Hidden = true}},
    {Make<&TfrmMain::btnMExtract>, "btnMExtract", "PanelBottom", Bounds(12, 1, 110, 22),
     " M-Extract  ", "",
     TProperties{
         .Font = &barBoldFont, .Tip = true, .Glyph = TGroupGlyph::ModeExtract, .GlyphRight = true}},
    {Make<&TfrmMain::btnMGroup>, "btnMGroup", "PanelBottom", Bounds(140, 1, 110, 22), " M-Group ",
     "", TProperties{.Font = &barBoldFont, .Tip = true, .Glyph = TGroupGlyph::ModeGroup}},
    {Make<&TfrmMain::btnQuit>, "btnQuit", "PanelBottom", Bounds(382, 2, 110, 21), "&Quit", "",
     TProperties{.Font = &barBoldFont, .Glyph = TGroupGlyph::Quit}},
};

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
    SetAcceptFiles(true);
    OnDropFiles = TDropFilesEvent(this, &TfrmMain::FormDropFiles);
}

TfrmMain::~TfrmMain() {
    if (frmMain == this) {
        frmMain = nullptr;
    }
}

void TfrmMain::CreateControls() {
    for (const TControlRow& row : controlTable) {
        row.Make(*this, row);
    }
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

    ConnectEvents();
}

void TfrmMain::ConnectEvents() {
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
    GroupSession.ClearEntries();
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
    Sound(sndExclamation);
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
        return (all || FileListBox1->Selected(i)) && GoesIntoGroup(FileListBox1->Items()[i]);
    });
}

bool TfrmMain::GoesIntoGroup(const std::string& name) {
    // A plain substring test, not an extension test: group and zip files, and their backups,
    // stay out of a new group.
    return !IsGroupFileName(name) && UpperCase(name).find(".ZIP") == std::string::npos;
}

void TfrmMain::RemoveFiles() {
    MoveItems(*ListBox1, *FileListBox1, [this](int i) { return ListBox1->Selected(i); });
}

void TfrmMain::MoveItems(TListBox& from, TListBox& to, const std::function<bool(int)>& moves) {
    int n = from.Items().Count();
    if (n == 0) {
        Sound(sndDefault);
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
    const std::string folder = Platform().Shell().SettingsFolder("Morvik");
    return (folder.empty() ? programFolder : folder) + "Morvik.ini";
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
    GroupSession.FileChosen();
}

// The operations run under the busy cursor, and fill ListBox1 in one update of its items, so
// that its window shows a listing of thousands of entries at once, not entry by entry.
void TfrmMain::FileListBox1MouseUp(TComponent* /*sender*/, TMouseButton /*button*/,
                                   TShiftState /*shift*/, int /*x*/, int /*y*/) {
    const TScreenCursor busy;
    const TStringsUpdate filling(ListBox1->Items());
    GroupSession.FileReleased();
    UpdateGroupButton();
}

void TfrmMain::btnGroupClick(TComponent* /*sender*/) {
    if (!extractMode) {
        const TScreenCursor busy;
        GroupSession.CreateGroupFile();
    }
}

void TfrmMain::btnExtractClick(TComponent* /*sender*/) {
    if (extractMode) {
        const TScreenCursor busy;
        const TStringsUpdate filling(ListBox1->Items());
        GroupSession.ExtractGroupFiles();
    }
}

// ---- TGroupView --------------------------------------------------------------------------------

std::string TfrmMain::Folder() const {
    return DirectoryListBox1->Directory();
}

std::optional<std::string> TfrmMain::ChosenFile() const {
    const int index = FileListBox1->ItemIndex();
    if (index < 0) {
        return std::nullopt;
    }
    return FileListBox1->Items()[index];
}

std::vector<std::string> TfrmMain::ListNames() const {
    return ListBox1->Items().Texts();
}

std::vector<std::string> TfrmMain::MarkedNames() const {
    std::vector<std::string> marked;
    for (int i = 0; i < ListBox1->Items().Count(); ++i) {
        if (ListBox1->Selected(i)) {
            marked.push_back(ListBox1->Items()[i]);
        }
    }
    return marked;
}

bool TfrmMain::ExtractAll() const {
    return OrnCheckBox1->Checked();
}

void TfrmMain::ShowEntries(const std::vector<std::string>& names, int current) {
    ListBox1->Clear();
    for (const std::string& name : names) {
        ListBox1->Items().Add(name);
    }
    if (current >= 0) {
        ListBox1->SetItemIndex(current);
    }
}

std::string TfrmMain::GroupName() const {
    return EditGrpFile->Text();
}

void TfrmMain::SetGroupName(const std::string& name) {
    EditGrpFile->SetText(name);
}

std::string TfrmMain::TargetName() const {
    return EditGrp->Text();
}

void TfrmMain::SetTargetName(const std::string& name) {
    EditGrp->SetText(name);
}

void TfrmMain::SetTargetHint(const std::string& hint) {
    EditGrp->SetHint(hint);
}

TModalResult TfrmMain::Ask(const std::string& text, const std::string& caption) {
    return OrnMesg1->MessageShow(text, caption, "mbYes,mbNo", -1, -1);
}

void TfrmMain::Refuse(const std::string& text) {
    OrnMesg1->ShowMessage(text);
}

void TfrmMain::Sound(TSoundType type) {
    Platform().MessageBeep(type);
}

void TfrmMain::ShowRefusal(const std::string& text) {
    Sound(sndDefault);
    Refuse(text);
}

void TfrmMain::FolderFilesChanged() {
    FileListBox1->Update();
}

// The hidden second file list reads the folder with the window's own rules for what a file
// list shows.
bool TfrmMain::FolderHoldsFiles(const std::string& folder) {
    if (FileListBox2->Directory() == folder) {
        FileListBox2->Update();
    } else {
        FileListBox2->SetDirectory(folder);
    }
    return FileListBox2->Items().Count() > 0;
}
