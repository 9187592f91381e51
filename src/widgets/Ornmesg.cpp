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

TMessageForm* TOrnMesg::CreateMessageDialog(const std::string& msg, TMsgDlgType dlgType,
                                            TMsgDlgButtons buttons) {
    assert(dlgType >= mtWarning && dlgType <= mtCustom);
    const TDialogKind& kind = dialogKinds[dlgType];
    const bool hasIcon = dlgType != mtCustom;

    TComponentPtr<TMessageForm> dialog(new TMessageForm(&Application()));
    dialog->SetFormStyle(DialogStyleValue == dsStayOnTop ? fsStayOnTop : fsNormal);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBorderIcons(biSystemMenu);

    // The metrics, in units of the fonts' average characters.
    TCanvas& canvas = dialog->Canvas();
    canvas.Font = FontButtonValue;
    const TSize buttonChar = GetAveCharSize(canvas);
    canvas.Font = FontTextValue;
    const TSize textChar = GetAveCharSize(canvas);
    const int buttonWidth = MulDiv(46, buttonChar.cx, 4);
    const int buttonHeight = MulDiv(15, buttonChar.cy, 8);
    const int buttonGap = MulDiv(ButtonGapValue, buttonChar.cx, 4);
    const int horzMargin = MulDiv(8, textChar.cx, 4);
    const int vertMargin = MulDiv(8, textChar.cy, 8);
    const int horzSpacing = MulDiv(10, textChar.cx, 4);
    const int vertSpacing = MulDiv(10, textChar.cy, 8);

    // The text box: word-wrapped within half the screen's width, "&" an underline marker, tabs
    // not expanded. The whole message is measured, however long, and the label shows exactly
    // the text that was measured.
    TRect textRect = Rect(0, 0, Screen().Width() / 2, 0);
    canvas.DrawText(msg, textRect, dtCalcRect | dtWordBreak);
    const int textWidth = textRect.Right;
    const int textHeight = textRect.Bottom;

    int blockWidth = textWidth;
    int blockHeight = textHeight;
    if (hasIcon) {
        blockWidth += iconSize + horzSpacing;
        blockHeight = std::max(blockHeight, iconSize);
    }
    int buttonCount = 0;
    for (int i = 0; i < buttonKindCount; ++i) {
        if (buttons & MsgDlgButton(TMsgDlgBtn(i))) {
            ++buttonCount;
        }
    }
    const int rowWidth =
        buttonCount == 0 ? 0 : buttonCount * buttonWidth + (buttonCount - 1) * buttonGap;
    const int clientWidth = std::max(blockWidth, rowWidth) + 2 * horzMargin;
    const int clientHeight = blockHeight + buttonHeight + vertSpacing + 2 * vertMargin;
    dialog->SetClientWidth(clientWidth);
    dialog->SetClientHeight(clientHeight);
    // Centred by the outer window's size, frame and caption bar included.
    dialog->SetBounds(Screen().Width() / 2 - dialog->Width() / 2,
                      Screen().Height() / 2 - dialog->Height() / 2, dialog->Width(),
                      dialog->Height());

    if (!CaptionTextValue.empty() && CaptionTextValue != "None") {
        dialog->SetCaption(CaptionTextValue);
    } else {
        dialog->SetCaption(kind.Caption);
    }

    // Children go beneath one another in the order gradient, icon, text, buttons; the text and
    // the buttons let the gradient show through.
    if (ColorGradient1Value != ColorGradient2Value) {
        auto* gradient = new TOrnGradient(dialog.get());
        gradient->SetName("Gradient");
        gradient->SetParent(dialog.get());
        gradient->SetAlign(alClient);
        gradient->SetColorBegin(ColorGradient1Value);
        gradient->SetColorEnd(ColorGradient2Value);
        gradient->SetGradient(VerticalGradientValue ? TOrnGradient::gdVertical
                                                    : TOrnGradient::gdHorizontal);
    }

    if (hasIcon) {
        auto* image = new TImage(dialog.get());
        image->SetName("Image");
        image->SetParent(dialog.get());
        TBitmap icon = Platform().SystemIcon(kind.Icon);
        icon.TransparentMode = TTransparentMode::Fixed;
        icon.TransparentColorValue = clFuchsia;
        image->SetTransparent(true);
        image->SetPicture(icon);
        image->SetBounds(horzMargin, vertMargin, iconSize, iconSize);
    }

    auto* label = new TLabel(dialog.get());
    label->SetName("Message");
    label->SetParent(dialog.get());
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetAlignment(TextAlignValue);
    label->SetFont(FontTextValue);
    label->SetTransparent(true);
    label->SetCaption(msg);
    label->SetBounds(blockWidth - textWidth + horzMargin, vertMargin, textWidth, textHeight);

    int x = (clientWidth - rowWidth) / 2;
    int k = 0;
    for (int i = 0; i < buttonKindCount; ++i) {
        if (!(buttons & MsgDlgButton(TMsgDlgBtn(i)))) {
            continue;
        }
        auto* button = new TOrnButt(dialog.get());
        button->SetName("A" + std::to_string(k++));
        button->SetParent(dialog.get());
        button->SetFont(FontButtonValue);
        button->SetFlat(ClearButtonsValue);
        button->SetTransparent(true);
        button->SetCaption(buttonKinds[i].Caption);
        button->ButtonResult = buttonKinds[i].Result;
        button->OnClick = TNotifyEvent(this, &TOrnMesg::GetModalResult);
        button->SetBounds(x, blockHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
        x += buttonWidth + buttonGap;
    }
    return dialog.release();
}

void TOrnMesg::GetModalResult(TComponent* sender) {
    auto* button = dynamic_cast<TOrnButt*>(sender);
    if (button && ActiveDialogValue) {
        ActiveDialogValue->SetModalResult(button->ButtonResult);
    }
}
