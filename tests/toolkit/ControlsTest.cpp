#include "Headlesstest.h"

#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"
#include "toolkit/Sysutils.h"

#include <string>
#include <vector>

namespace {

// A windowless control that fills itself with one colour and logs its mouse events.
class TBlock : public TGraphicControl {
public:
    TBlock(TWinControl* parent, TColor color, TRect bounds, std::vector<std::string>* log = nullptr,
           TComponent* owner = nullptr)
        : TGraphicControl(owner ? owner : parent), Log(log) {
        SetParent(parent);
        SetColor(color);
        SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        OnClick = [this](TComponent*) { Note("click"); };
    }
    void MouseEnter() override { Note("enter"); }
    void MouseLeave() override { Note("leave"); }
    void MouseUp(TMouseButton, TShiftState, int x, int y) override {
        Note("up " + std::to_string(x) + "," + std::to_string(y));
    }

    bool SendToBackWhenPainted = false;

protected:
    void Paint() override {
        Canvas().FillRect(ClientRect());
        if (SendToBackWhenPainted) {
            SendToBackWhenPainted = false;
            SendToBack();
        }
    }

private:
    void Note(const std::string& what) {
        if (Log) {
            Log->push_back(Name() + " " + what);
        }
    }
    std::vector<std::string>* Log;
};

// A windowed container that paints nothing but its colour.
class THost : public TCustomControl {
public:
    THost(TWinControl* parent, TColor color, TRect bounds) : TCustomControl(parent) {
        SetParent(parent);
        SetColor(color);
        SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
};

TBitmap Shot(TControl& control) {
    TBitmap bitmap(control.Width(), control.Height());
    control.PaintTo(bitmap.Canvas(), 0, 0);
    return bitmap;
}

class ControlsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 100, 80);
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }
    TComponentPtr<TForm> Form;
};

} // namespace

TEST_F(ControlsTest, SendToBackAndBringToFrontReorderTheParentsControls) {
    auto* a = new TBlock(Form.get(), clBlue, Rect(0, 0, 6, 6));
    auto* b = new TBlock(Form.get(), clLime, Rect(3, 3, 9, 9));
    EXPECT_EQ(Shot(*Form).Pixel(4, 4), clLime);
    a->BringToFront();
    EXPECT_EQ(Form->Controls(1), a);
    EXPECT_EQ(Shot(*Form).Pixel(4, 4), clBlue);
    a->SendToBack();
    EXPECT_EQ(Form->Controls(0), a);
    EXPECT_EQ(Form->Controls(1), b);
    EXPECT_EQ(Shot(*Form).Pixel(4, 4), clLime);
}

TEST_F(ControlsTest, WindowlessControlsLieBeneathWindowedOnes) {
    new THost(Form.get(), clYellow, Rect(0, 0, 5, 5));
    new TBlock(Form.get(), clLime, Rect(0, 0, 8, 8));
    const TBitmap shot = Shot(*Form);
    EXPECT_EQ(shot.Pixel(2, 2), clYellow);
    EXPECT_EQ(shot.Pixel(6, 6), clLime);
    EXPECT_EQ(shot.Pixel(9, 9), ColorToRGB(clBtnFace));
}

TEST_F(ControlsTest, AControlSendingItselfBackWhilePaintingEndsBeneathItsSiblings) {
    new TBlock(Form.get(), clBlue, Rect(2, 2, 6, 6));
    auto* background = new TBlock(Form.get(), clWhite, Rect(0, 0, 100, 80));
    background->SendToBackWhenPainted = true;
    const TBitmap shot = Shot(*Form);
    EXPECT_EQ(shot.Pixel(3, 3), clBlue);
    EXPECT_EQ(shot.Pixel(20, 20), clWhite);
    EXPECT_EQ(Form->Controls(0), background);
}

TEST_F(ControlsTest, AlignedControlsFillTheParentInTheOrderTopBottomLeftRightClient) {
    auto* client = new TBlock(Form.get(), clWhite, Rect(0, 0, 1, 1));
    client->SetAlign(alClient);
    auto* top = new TBlock(Form.get(), clRed, Rect(0, 0, 10, 10));
    top->SetAlign(alTop);
    auto* bottom = new TBlock(Form.get(), clRed, Rect(0, 0, 10, 15));
    bottom->SetAlign(alBottom);
    auto* left = new TBlock(Form.get(), clRed, Rect(0, 0, 20, 10));
    left->SetAlign(alLeft);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 100, 10));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 65, 100, 80));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 10, 20, 65));
    EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 100, 65));

    Form->SetBounds(0, 0, 120, 100);
    EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 120, 85));
    bottom->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(20, 10, 120, 100));
}

TEST_F(ControlsTest, FontsAndColoursComeFromTheParentUntilSetOnTheControl) {
    auto* host = new THost(Form.get(), clYellow, Rect(0, 0, 50, 50));
    auto* child = new TBlock(host, clWhite, Rect(0, 0, 5, 5));
    child->SetParentColor(true);
    EXPECT_EQ(child->Color(), clYellow);

    TFont arial;
    arial.Name = "Arial";
    Form->SetFont(arial);
    EXPECT_EQ(host->Font().Name, "Arial");
    EXPECT_EQ(child->Font().Name, "Arial");

    TFont bold = arial;
    bold.Style = fsBold;
    child->SetFont(bold);
    EXPECT_FALSE(child->ParentFont());
    TFont courier;
    courier.Name = "Courier";
    Form->SetFont(courier);
    EXPECT_EQ(host->Font().Name, "Courier");
    EXPECT_EQ(child->Font(), bold);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font().Name, "Courier");

    host->SetColor(clNavy);
    EXPECT_EQ(child->Color(), clNavy);
}

TEST_F(ControlsTest, TheWindowRoutesClicksToTheWindowlessControlUnderThePointer) {
    std::vector<std::string> log;
    auto* host = new THost(Form.get(), clSilver, Rect(10, 10, 90, 70));
    host->SetName("Host");
    host->OnClick = [&log](TComponent*) { log.push_back("Host click"); };
    auto* a = new TBlock(host, clBlue, Rect(0, 0, 20, 20), &log);
    a->SetName("A");
    Form->Show();

    Headless.UserClick(*a);
    EXPECT_EQ(log, (std::vector<std::string>{"A enter", "A click", "A up 10,10"}));
    log.clear();
    Headless.UserClickAt(*host, 50, 50);
    EXPECT_EQ(log, (std::vector<std::string>{"A leave", "Host click"}));
    log.clear();
    a->SetEnabled(false);
    Headless.UserClickAt(*host, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"A enter", "Host click"}));
}

TEST_F(ControlsTest, APressKeepsThePointerAndAReleaseOutsideIsNoClick) {
    std::vector<std::string> log;
    auto* a = new TBlock(Form.get(), clBlue, Rect(0, 0, 20, 20), &log);
    a->SetName("A");
    auto* b = new TBlock(Form.get(), clLime, Rect(30, 0, 50, 20), &log);
    b->SetName("B");
    Form->Show();

    Headless.UserMouseDown(*a, mbLeft, 5, 5);
    Headless.UserMouseMove(*Form, 40, 5);
    Headless.UserMouseUp(*Form, mbLeft, 40, 5);
    // The release reaches the pressed control, in its own coordinates; nothing is clicked.
    EXPECT_EQ(log, (std::vector<std::string>{"A enter", "A leave", "B enter", "A up 40,5"}));
}

TEST_F(ControlsTest, TheFocusMovesAlongTheTabOrderSkippingControlsWithoutTabStop) {
    std::vector<std::string> log;
    std::vector<TEdit*> edits;
    for (const char* name : {"One", "Two", "Three"}) {
        auto* edit = new TEdit(Form.get());
        edit->SetParent(Form.get());
        edit->SetName(name);
        edit->OnEnter = [&log, edit](TComponent*) { log.push_back("enter " + edit->Name()); };
        edit->OnExit = [&log, edit](TComponent*) { log.push_back("exit " + edit->Name()); };
        edits.push_back(edit);
    }
    edits[1]->SetTabStop(false);
    Form->Show();

    edits[0]->SetFocus();
    Headless.UserPressKey(*Form, vkTab);
    EXPECT_TRUE(edits[2]->Focused());
    Headless.UserPressKey(*Form, vkTab, ssShift);
    EXPECT_TRUE(edits[0]->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter One", "exit One", "enter Three", "exit Three",
                                             "enter One"}));

    edits[2]->SetTabOrder(0);
    EXPECT_EQ(edits[2]->TabOrder(), 0);
    EXPECT_EQ(edits[0]->TabOrder(), 1);

    edits[2]->Hide();
    EXPECT_FALSE(edits[2]->CanFocus());
    edits[2]->SetFocus();
    EXPECT_TRUE(edits[0]->Focused());
    TComponent::Free(edits[0]);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
}

TEST_F(ControlsTest, PeersMirrorTheWindowedControlsOfAShownForm) {
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    EXPECT_EQ(THeadlessPlatform::PeerOf(*edit), nullptr);
    Form->Show();
    THeadlessPeer* peer = THeadlessPlatform::PeerOf(*edit);
    ASSERT_NE(peer, nullptr);
    EXPECT_NE(THeadlessPlatform::PeerOf(*Form), nullptr);

    edit->SetText("MyGroup.grp");
    edit->SetHint("tip");
    EXPECT_EQ(peer->Changes, (std::vector<TPeerChange>{TPeerChange::Text, TPeerChange::Hint}));

    // A windowless control is painted again through its parent's window.
    auto* block = new TBlock(Form.get(), clRed, Rect(0, 0, 5, 5));
    THeadlessPeer* formPeer = THeadlessPlatform::PeerOf(*Form);
    const int before = formPeer->Invalidations;
    block->SetColor(clBlue);
    EXPECT_GT(formPeer->Invalidations, before);

    auto* later = new TEdit(Form.get());
    later->SetParent(Form.get());
    EXPECT_NE(THeadlessPlatform::PeerOf(*later), nullptr);
    later->SetParent(nullptr);
    EXPECT_EQ(THeadlessPlatform::PeerOf(*later), nullptr);
}

TEST_F(ControlsTest, AControlCannotBePlacedInsideItself) {
    auto* outer = new THost(Form.get(), clRed, Rect(0, 0, 50, 50));
    auto* inner = new THost(outer, clRed, Rect(0, 0, 10, 10));
    EXPECT_THROW(outer->SetParent(inner), Exception);
    EXPECT_THROW(outer->SetParent(outer), Exception);
    EXPECT_EQ(outer->Parent(), Form.get());
}

TEST_F(ControlsTest, FreeingAParentFreesTheControlsOnIt) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* host = new THost(Form.get(), clRed, Rect(0, 0, 50, 50));
    // Owned by another component, yet it goes with its parent.
    new TBlock(host, clRed, Rect(0, 0, 5, 5), nullptr, owner.get());
    EXPECT_EQ(owner->ComponentCount(), 1);
    TComponent::Free(host);
    EXPECT_EQ(Form->ControlCount(), 0);
    EXPECT_EQ(owner->ComponentCount(), 0);
}
