#include "widgets/Ornmesg.h"

#include "toolkit/Extctrls.h"
#include "toolkit/Stdctrls.h"
#include "toolkit/Sysmath.h"
#include "toolkit/Sysutils.h"
#include "widgets/Orngradient.h"

#include <algorithm>
#include <cassert>

namespace {

struct TButtonKind {
    const char* Name; // as looked for in the upper-cased button text
    const char* Caption;
    TModalResult Result;
};

// Indexed by TMsgDlgBtn, which is also the order of the buttons on the dialog.
constexpr TButtonKind buttonKinds[] = {
    {"MBYES", "&Yes", mrYes},
    {"MBNO", "&No", mrNo},
    {"MBOK", "&OK", mrOk},
    {"MBCANCEL", "&Cancel", mrCancel},
    {"MBABORT", "&Abort", mrAbort},
    {"MBRETRY", "&Retry", mrRetry},
    {"MBIGNORE", "&Ignore", mrIgnore},
    {"MBALL", "A&ll", mrAll},
    {"MBNOTOALL", "No&ToAll", mrNoToAll},
    {"MBYESTOALL", "Ye&sToAll", mrYesToAll},
};
constexpr int buttonKindCount = int(sizeof buttonKinds / sizeof buttonKinds[0]);

// The order in which MessageShow looks for the names.
constexpr TMsgDlgBtn searchOrder[] = {mbOK,  mbCancel, mbAbort, mbRetry,   mbIgnore,
                                      mbYes, mbNo,     mbAll,   mbNoToAll, mbYesToAll};

struct TDialogKind {
    const char* Caption; // the default window caption
    TSystemIcon Icon;
};

// Indexed by TMsgDlgType; mtCustom has no icon.
constexpr TDialogKind dialogKinds[] = {
    {"Warning", siExclamation}, {"Error", siHand},    {"Information", siAsterisk},
    {"Confirm", siQuestion},    {"", TSystemIcon(0)},
};

constexpr int iconSize = 32;

const char* const usageText =
    "TOrnMesg shows a message box of its own.\n"
    "\n"
    "SoundNum: the sound played as the box opens: 0 default, 16 hand, 32 question, "
    "48 exclamation, 64 asterisk; -1 plays none.\n"
    "Xpos, Ypos: the left and the top edge of the box on the screen; -1 centres it.\n"
    "ShowMessage(Text) shows Text with an OK button only.\n"
    "MessageShow(Text, Caption, Buttons, Xpos, Ypos) shows Text under Caption with the buttons "
    "named in Buttons, for example MessageShow(Text, Caption, \"mbYes,mbNo\", -1, -1).\n"
    "Button names: mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, "
    "mbYesToAll.\n"
    "The result is the modal result of the button clicked (2 when the box is closed).";

} // namespace

// ---- TOrnButt ----------------------------------------------------------------------------------

TOrnButt::TOrnButt(TComponent* owner) : TSpeedButton(owner) {
    SetCursor(crHandPoint);
    SetParentFont(false);
    SetFlat(true);
    SetSpacing(0);
    SetWidth(75);
    SetTransparent(true);
}

// ---- TOrnMesg ----------------------------------------------------------------------------------

TOrnMesg::TOrnMesg(TComponent* owner) : TComponent(owner) {}

void TOrnMesg::SetAbout_Help(TAbout about) {
    // Help is a request, not a state: the text is shown and the property stays None.
    if (about != TAbout::Help) {
        return;
    }
    Platform().MessageBeep(sndExclamation);
    ShowMessage(usageText);
}

void TOrnMesg::SetClearButtons(bool clearButtons) {
    ClearButtonsValue = clearButtons;
    ButtonGapValue = clearButtons ? 1 : 4;
}

std::int16_t TOrnMesg::MessageShow(const std::string& msg, const std::string& caption,
                                   const std::string& buttons, std::int32_t xpos,
                                   std::int32_t ypos) {
    CaptionTextValue = caption;
    ButtonSetValue = 0;
    const std::string names = UpperCase(buttons);
    for (TMsgDlgBtn kind : searchOrder) {
        if (names.find(buttonKinds[kind].Name) != std::string::npos) {
            ButtonSetValue |= MsgDlgButton(kind);
        }
    }
    XposValue = xpos;
    YposValue = ypos;
    SoundNumValue = -1;
    return std::int16_t(
        MyMessageDlg(msg, TMsgDlgType(SymbolValue), ButtonSetValue, XposValue, YposValue));
}

std::int16_t TOrnMesg::ShowMessage(const std::string& msg) {
    ButtonSetValue = MsgDlgButton(mbOK);
    SymbolValue = dgInformation;
    CaptionTextValue.clear();
    SoundNumValue = -1;
    XposValue = -1;
    YposValue = -1;
    return std::int16_t(MyMessageDlg(msg, mtInformation, MsgDlgButton(mbOK), -1, -1));
}

TModalResult TOrnMesg::MyMessageDlg(const std::string& msg, TMsgDlgType dlgType,
                                    TMsgDlgButtons buttons, int x, int y) {
    // The dialog goes when this call ends, whether it ends normally or with an exception.
    const TComponentPtr<TMessageForm> dialog(CreateMessageDialog(msg, dlgType, buttons));
    ActiveDialogValue = dialog.get();
    TModalResult result = mrNone;
    try {
        dialog->SetColor(ColorValue);
        if (x >= 0) {
            dialog->SetLeft(x);
        }
        if (y >= 0) {
            dialog->SetTop(y);
        }
        if (SoundNumValue > -1) {
            Platform().MessageBeep(TSoundType(SoundNumValue));
        }
        result = dialog->ShowModal();
    } catch (...) {
        ActiveDialogValue = nullptr;
        throw;
    }
    ActiveDialogValue = nullptr;
    return result;
}

TMessageDialogLayout MessageDialogLayout(const TMessageDialogInput& input) {
    const TSize buttonChar = input.ButtonChar;
    const TSize textChar = input.TextChar;
    const int buttonWidth = MulDiv(46, buttonChar.cx, 4);
    const int buttonHeight = MulDiv(15, buttonChar.cy, 8);
    const int buttonGap = MulDiv(input.ButtonGap, buttonChar.cx, 4);
    const int horzMargin = MulDiv(8, textChar.cx, 4);
    const int vertMargin = MulDiv(8, textChar.cy, 8);
    const int horzSpacing = MulDiv(10, textChar.cx, 4);
    const int vertSpacing = MulDiv(10, textChar.cy, 8);

    int blockWidth = input.Text.cx;
    int blockHeight = input.Text.cy;
    if (input.HasIcon) {
        blockWidth += iconSize + horzSpacing;
        blockHeight = std::max(blockHeight, iconSize);
    }
    const int count = input.ButtonCount;
    const int rowWidth = count == 0 ? 0 : count * buttonWidth + (count - 1) * buttonGap;

    TMessageDialogLayout layout;
    layout.Client.cx = std::max(blockWidth, rowWidth) + 2 * horzMargin;
    layout.Client.cy = blockHeight + buttonHeight + vertSpacing + 2 * vertMargin;
    // Centred by the outer window's size, frame and caption bar included.
    const int width = layout.Client.cx + input.Frame.cx;
    const int height = layout.Client.cy + input.Frame.cy;
    layout.Bounds =
        Bounds(input.Screen.cx / 2 - width / 2, input.Screen.cy / 2 - height / 2, width, height);
    if (input.HasIcon) {
        layout.Icon = Bounds(horzMargin, vertMargin, iconSize, iconSize);
    }
    // The text stands at the right of the block, after the icon.
    layout.Text =
        Bounds(blockWidth - input.Text.cx + horzMargin, vertMargin, input.Text.cx, input.Text.cy);
    int x = (layout.Client.cx - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        layout.Buttons.push_back(
            Bounds(x, blockHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight));
        x += buttonWidth + buttonGap;
    }
    return layout;
}

TMessageDialogInput TOrnMesg::MeasureDialog(TMessageForm& dialog, const std::string& msg,
                                            bool hasIcon, int buttonCount) const {
    TMessageDialogInput input;
    TCanvas& canvas = dialog.Canvas();
    canvas.Font = FontButtonValue;
    input.ButtonChar = GetAveCharSize(canvas);
    canvas.Font = FontTextValue;
    input.TextChar = GetAveCharSize(canvas);
    input.ButtonGap = ButtonGapValue;
    // The text box: word-wrapped within half the screen's width, "&" an underline marker, tabs
    // not expanded. The whole message is measured, however long, and the label shows exactly
    // the text that was measured.
    TRect textRect = Rect(0, 0, Screen().Width() / 2, 0);
    canvas.DrawText(msg, textRect, dtCalcRect | dtWordBreak);
    input.Text = {textRect.Right, textRect.Bottom};
    input.HasIcon = hasIcon;
    input.ButtonCount = buttonCount;
    input.Screen = {Screen().Width(), Screen().Height()};
    input.Frame = {dialog.Width() - dialog.ClientWidth(), dialog.Height() - dialog.ClientHeight()};
    return input;
}

TMessageForm* TOrnMesg::CreateMessageDialog(const std::string& msg, TMsgDlgType dlgType,
                                            TMsgDlgButtons buttons) {
    assert(dlgType >= mtWarning && dlgType <= mtCustom);
    const TDialogKind& kind = dialogKinds[dlgType];
    const bool hasIcon = dlgType != mtCustom;
    std::vector<TMsgDlgBtn> kinds;
    for (int i = 0; i < buttonKindCount; ++i) {
        if (buttons & MsgDlgButton(TMsgDlgBtn(i))) {
            kinds.push_back(TMsgDlgBtn(i));
        }
    }

    TComponentPtr<TMessageForm> dialog(new TMessageForm(&Application()));
    dialog->SetFormStyle(DialogStyleValue == dsStayOnTop ? fsStayOnTop : fsNormal);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBorderIcons(biSystemMenu);
    const TMessageDialogLayout layout =
        MessageDialogLayout(MeasureDialog(*dialog, msg, hasIcon, int(kinds.size())));
    const TRect& bounds = layout.Bounds;
    dialog->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());

    if (!CaptionTextValue.empty() && CaptionTextValue != "None") {
        dialog->SetCaption(CaptionTextValue);
    } else {
        dialog->SetCaption(kind.Caption);
    }

    // Children go beneath one another in the order gradient, icon, text, buttons; the text and
    // the buttons let the gradient show through.
    if (ColorGradient1Value != ColorGradient2Value) {
        AddBackground(*dialog);
    }
    if (hasIcon) {
        AddIcon(*dialog, kind.Icon, layout.Icon);
    }
    AddText(*dialog, msg, layout.Text);
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        std::string name = "A";
        name += std::to_string(k);
        AddButton(*dialog, name, kinds[k], layout.Buttons[k]);
    }
    return dialog.release();
}

void TOrnMesg::AddBackground(TMessageForm& dialog) const {
    auto* gradient = new TOrnGradient(&dialog);
    gradient->SetName("Gradient");
    gradient->SetParent(&dialog);
    gradient->SetAlign(alClient);
    gradient->SetColorBegin(ColorGradient1Value);
    gradient->SetColorEnd(ColorGradient2Value);
    gradient->SetGradient(VerticalGradientValue ? TOrnGradient::gdVertical
                                                : TOrnGradient::gdHorizontal);
}

void TOrnMesg::AddIcon(TMessageForm& dialog, TSystemIcon systemIcon, const TRect& r) const {
    auto* image = new TImage(&dialog);
    image->SetName("Image");
    image->SetParent(&dialog);
    TBitmap icon = Platform().SystemIcon(systemIcon);
    icon.TransparentMode = TTransparentMode::Fixed;
    icon.TransparentColorValue = clFuchsia;
    image->SetTransparent(true);
    image->SetPicture(icon);
    image->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TOrnMesg::AddText(TMessageForm& dialog, const std::string& msg, const TRect& r) const {
    auto* label = new TLabel(&dialog);
    label->SetName("Message");
    label->SetParent(&dialog);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetAlignment(TextAlignValue);
    label->SetFont(FontTextValue);
    label->SetTransparent(true);
    label->SetCaption(msg);
    label->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TOrnMesg::AddButton(TMessageForm& dialog, const std::string& name, TMsgDlgBtn kind,
                         const TRect& r) {
    auto* button = new TOrnButt(&dialog);
    button->SetName(name);
    button->SetParent(&dialog);
    button->SetFont(FontButtonValue);
    button->SetFlat(ClearButtonsValue);
    button->SetTransparent(true);
    button->SetCaption(buttonKinds[kind].Caption);
    button->ButtonResult = buttonKinds[kind].Result;
    button->OnClick = TNotifyEvent(this, &TOrnMesg::GetModalResult);
    button->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TOrnMesg::GetModalResult(TComponent* sender) {
    auto* button = dynamic_cast<TOrnButt*>(sender);
    if (button && ActiveDialogValue) {
        ActiveDialogValue->SetModalResult(button->ButtonResult);
    }
}
