// The Options menu of the main window: a bar popup menu without a side bar whose five items are
// painted by the form's draw module.

#include "app/Groupmain.h"

#include "app/Groupglyphs.h"

namespace {

TFont MenuTextFont() {
    TFont font;
    font.Name = "MS Sans Serif";
    font.Height = -11;
    font.Color = clWindowText;
    return font;
}

} // namespace

void TfrmMain::CreateOptionsMenu() {
    OrnDrawModule1 = new TOrnDrawModule(this);
    OrnDrawModule1->SetName("OrnDrawModule1");
    OrnDrawModule1->ColorGradient1 = clBlue;
    OrnDrawModule1->ColorGradient2 = clNavy;
    OrnDrawModule1->ColorNormalText = clWhite;
    OrnDrawModule1->ColorSelectText = clBlack;
    OrnDrawModule1->CursorGradient1 = clWhite;
    OrnDrawModule1->CursorGradient2 = clSilver;
    OrnDrawModule1->TextBold = true;
    OrnDrawModule1->TextHeight = 24;
    OrnDrawModule1->TextSpacing = 32;
    OrnDrawModule1->Width = 22;

    // While the menu loads its items are added unhooked; Loaded hooks them all at once, as it
    // does for a menu read from the form's description.
    MenuPopupOptions = new TBcBarPopupMenu(this);
    MenuPopupOptions->BeginLoading();
    MenuPopupOptions->SetName("MenuPopupOptions");
    MenuPopupOptions->SetOwnerDraw(true);
    MenuPopupOptions->Bar().SetVisible(false);
    TFont& barFont = MenuPopupOptions->Bar().BarCaption().Font;
    barFont.Name = "Tahoma";
    barFont.Height = -19;
    barFont.Color = clWhite;
    barFont.Style = fsBold | fsItalic;
    MenuPopupOptions->Separators().Font = MenuTextFont();
    MenuPopupOptions->SetMenuFont(MenuTextFont());
    MenuPopupOptions->SetDrawModule(OrnDrawModule1);

    auto item = [this](const char* name, const std::string& caption, const std::string& hint) {
        auto* menuItem = new TMenuItem(this);
        menuItem->SetName(name);
        menuItem->SetCaption(caption);
        menuItem->SetHint(hint);
        MenuPopupOptions->Items()->Add(menuItem);
        return menuItem;
    };
    DesktopIcon1 = item("DesktopIcon1", "Desktop Icon", "");
    AboutMorvik1 = item("AboutMorvik1", "About Morvik", "");
    N1 = item("N1", "-", "-");
    Cancel1 = item("Cancel1", "Cancel", "");
    QuitApplication1 = item("QuitApplication1", "Quit Application", "");
    DesktopIcon1->SetBitmap(GroupGlyph(TGroupGlyph::DesktopIcon));
    AboutMorvik1->SetBitmap(GroupGlyph(TGroupGlyph::AboutMorvik));
    Cancel1->SetBitmap(GroupGlyph(TGroupGlyph::Cancel));
    QuitApplication1->SetBitmap(GroupGlyph(TGroupGlyph::QuitApplication));
    DesktopIcon1->OnClick = TNotifyEvent(this, &TfrmMain::DesktopIcon1Click);
    AboutMorvik1->OnClick = TNotifyEvent(this, &TfrmMain::AboutMorvik1Click);
    Cancel1->OnClick = TNotifyEvent(this, &TfrmMain::Cancel1Click);
    QuitApplication1->OnClick = TNotifyEvent(this, &TfrmMain::btnQuitClick);

    MenuPopupOptions->EndLoading();
}
