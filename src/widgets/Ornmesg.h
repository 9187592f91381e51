#pragma once
// TOrnMesg: the program's own message box. Each call builds a fresh dialog (TMessageForm) sized
// to its text: a gradient background, a system icon, the word-wrapped text and a row of flat
// buttons (TOrnButt); it shows the dialog modally, returns the result code of the button that
// closed it (mrCancel when the close box did) and destroys the dialog, also when showing fails.
//
// The dialog has no default and no cancel button: Enter and Escape do nothing. The buttons take
// no focus; a caption's underlined letter, typed with or without Alt, clicks its button.
//
// The properties carry over from call to call, and the entry points change some of them:
// ShowMessage leaves Symbol dgInformation, CaptionText empty, SoundNum, Xpos and Ypos -1;
// MessageShow leaves CaptionText, Xpos and Ypos at its arguments and SoundNum -1, and shows the
// icon and default caption of whatever Symbol holds.

#include "toolkit/Buttons.h"
#include "toolkit/Forms.h"

#include <cstdint>
#include <string>
#include <vector>

enum TSymbol { dgWarning, dgError, dgInformation, dgConfirmation, dgNone };
// Scoped, because the bar menus' picture style has a dsNormal of its own and the main window
// uses both; dsStayOnTop, which has no twin, is also named plainly.
enum class TDialogStyle { dsStayOnTop, dsNormal };
inline constexpr TDialogStyle dsStayOnTop = TDialogStyle::dsStayOnTop;
enum class TAbout { None, Help };
// The dialog type, in the order of TSymbol; the entry points pass the type at Symbol's position.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The button kinds, in the order they are laid out on the dialog.
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
};
// A set of TMsgDlgBtn: bit n for the kind of value n.
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn kind) {
    return TMsgDlgButtons(1u << kind);
}

// A button of the dialog: a flat speed button that reports ButtonResult when clicked. It has a
// hand pointer, a font of its own, no spacing, width 75 and a transparent background.
class TOrnButt : public TSpeedButton {
public:
    explicit TOrnButt(TComponent* owner);

    std::int32_t ButtonResult = 0;
};

// What the message dialog's layout depends on, measured by the one who builds it.
struct TMessageDialogInput {
    // The average characters of the button font and of the text font.
    TSize ButtonChar{};
    TSize TextChar{};
    // The gap between two buttons, in quarters of the button font's average character width.
    int ButtonGap = 1;
    // The message as drawn: word-wrapped, in the text font.
    TSize Text{};
    bool HasIcon = true;
    int ButtonCount = 0;
    TSize Screen{};
    // What the dialog's frame and caption bar add to its client area.
    TSize Frame{};
};

// The places of the dialog's parts in its client area, and of the dialog on the screen. The
// metrics are in units of the fonts' average characters: margins of 2 characters across and one
// down, spacings a quarter more, buttons 11.5 x 1.875 characters of the button font.
struct TMessageDialogLayout {
    // Empty when the dialog has no icon.
    TRect Icon{};
    TRect Text{};
    // The buttons, from left to right.
    std::vector<TRect> Buttons;
    TSize Client{};
    // The whole window, centred on the screen.
    TRect Bounds{};
};

// Icon and text side by side, top-aligned in a block at the margins; the row of buttons under
// them, centred, also when there are none.
TMessageDialogLayout MessageDialogLayout(const TMessageDialogInput& input);

// The dialog window; a plain form.
class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* owner) : TForm(owner) {}
};

class TOrnMesg : public TComponent {
public:
    explicit TOrnMesg(TComponent* owner);

    // ---- Published properties. The font setters copy the given font into the component's own;
    // the others only store the value (About_Help excepted, see there).

    // Setting Help beeps (48) and shows a usage text of the component through ShowMessage; the
    // property then reads None again. It serves at design time.
    TAbout About_Help() const { return AboutValue; }
    void SetAbout_Help(TAbout about);
    // Flat buttons; also the button gap: 1 quarter of an average character when true, 4 when
    // false.
    bool ClearButtons() const { return ClearButtonsValue; }
    void SetClearButtons(bool clearButtons);
    TColor Color() const { return ColorValue; }
    void SetColor(TColor color) { ColorValue = color; }
    // The background gradient's start and end colours; none is drawn when they are equal.
    TColor ColorGradient1() const { return ColorGradient1Value; }
    void SetColorGradient1(TColor color) { ColorGradient1Value = color; }
    TColor ColorGradient2() const { return ColorGradient2Value; }
    void SetColorGradient2(TColor color) { ColorGradient2Value = color; }
    // The font of the button captions, which also sizes the buttons.
    const TFont& FontButton() const { return FontButtonValue; }
    void SetFontButton(const TFont& font) { FontButtonValue.Assign(font); }
    // The font of the message, which also sizes the margins and spacings.
    const TFont& FontText() const { return FontTextValue; }
    void SetFontText(const TFont& font) { FontTextValue.Assign(font); }
    // The beep of MyMessageDlg (a MessageBeep type); -1 for none.
    std::int32_t SoundNum() const { return SoundNumValue; }
    void SetSoundNum(std::int32_t soundNum) { SoundNumValue = soundNum; }
    // The icon and default caption of the next MessageShow.
    TSymbol Symbol() const { return SymbolValue; }
    void SetSymbol(TSymbol symbol) { SymbolValue = symbol; }
    TAlignment TextAlign() const { return TextAlignValue; }
    void SetTextAlign(TAlignment alignment) { TextAlignValue = alignment; }
    // false: the gradient runs from left to right; true: from top to bottom.
    bool VerticalGradient() const { return VerticalGradientValue; }
    void SetVerticalGradient(bool vertical) { VerticalGradientValue = vertical; }
    // The dialog's left and top edge on the screen; a negative value centres it.
    std::int32_t Xpos() const { return XposValue; }
    void SetXpos(std::int32_t xpos) { XposValue = xpos; }
    std::int32_t Ypos() const { return YposValue; }
    void SetYpos(std::int32_t ypos) { YposValue = ypos; }

    // ---- Unpublished state
    // The caption asked for by the last MessageShow; empty after ShowMessage.
    const std::string& CaptionText() const { return CaptionTextValue; }
    // The buttons of the dialog being built.
    TMsgDlgButtons ButtonSet() const { return ButtonSetValue; }
    int ButtonGap() const { return ButtonGapValue; }
    TDialogStyle DialogStyle() const { return DialogStyleValue; }
    // The dialog being shown, or nullptr.
    TMessageForm* ActiveDialog() const { return ActiveDialogValue; }

    // ---- Showing
    // msg (lines separated by "\n") under caption with the buttons named in buttons, such as
    // "mbYes,mbNo": a name counts when it occurs anywhere in the text, ASCII case ignored, so
    // "mbYesToAll" brings "&Yes" as well. A caption that is empty or exactly "None" gives the
    // symbol's default caption. xpos and ypos place the dialog (-1: centred).
    std::int16_t MessageShow(const std::string& msg, const std::string& caption,
                             const std::string& buttons, std::int32_t xpos, std::int32_t ypos);
    // msg with one "&OK" button and the information icon, captioned "Information", centred.
    std::int16_t ShowMessage(const std::string& msg);
    // Builds the dialog, gives it Color, places it at x and y where they are not negative,
    // sounds SoundNum when it is not negative, shows it modally and destroys it.
    TModalResult MyMessageDlg(const std::string& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons,
                              int x, int y);
    // The dialog for msg, not yet shown, centred on the screen; owned by the application, freed
    // by the caller.
    TMessageForm* CreateMessageDialog(const std::string& msg, TMsgDlgType dlgType,
                                      TMsgDlgButtons buttons);

private:
    // Measures what the layout of a dialog for msg depends on, with the dialog's canvas.
    TMessageDialogInput MeasureDialog(TMessageForm& dialog, const std::string& msg, bool hasIcon,
                                      int buttonCount) const;
    // The children of the dialog, from the bottom up: the background gradient, the icon, the
    // text and each button.
    void AddBackground(TMessageForm& dialog) const;
    void AddIcon(TMessageForm& dialog, TSystemIcon systemIcon, const TRect& r) const;
    void AddText(TMessageForm& dialog, const std::string& msg, const TRect& r) const;
    void AddButton(TMessageForm& dialog, const std::string& name, TMsgDlgBtn kind, const TRect& r);
    // The click handler of every dialog button: its ButtonResult ends the modal loop.
    void GetModalResult(TComponent* sender);

    TAbout AboutValue = TAbout::None;
    bool ClearButtonsValue = true;
    TColor ColorValue = clBtnFace;
    TColor ColorGradient1Value = clBtnFace;
    TColor ColorGradient2Value = clGray;
    TFont FontButtonValue;
    TFont FontTextValue;
    std::int32_t SoundNumValue = -1;
    TSymbol SymbolValue = dgWarning;
    TAlignment TextAlignValue = taLeftJustify;
    bool VerticalGradientValue = false;
    std::int32_t XposValue = -1;
    std::int32_t YposValue = -1;

    std::string CaptionTextValue;
    TMsgDlgButtons ButtonSetValue = MsgDlgButton(mbOK);
    int ButtonGapValue = 1;
    TDialogStyle DialogStyleValue = dsStayOnTop;
    TMessageForm* ActiveDialogValue = nullptr;
};
