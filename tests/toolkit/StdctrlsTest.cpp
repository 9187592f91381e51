#include "Headlesstest.h"

#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<bool> MarksOf(const TListBox& list) {
    std::vector<bool> marks;
    for (int i = 0; i < list.Items().Count(); ++i) {
        marks.push_back(list.Selected(i));
    }
    return marks;
}

class ListBoxTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 200);
        List = new TListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(0, 0, 160, 197);
        List->SetMultiSelect(true);
        for (const char* name : {"a", "b", "c", "d", "e"}) {
            List->Items().Add(name);
        }
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }
    // The middle of item index (below the 2-pixel edge, 13 pixels an item).
    int ItemY(int index) const { return 2 + 13 * index + 6; }

    TComponentPtr<TForm> Form;
    TListBox* List = nullptr;
};

} // namespace

TEST_F(ListBoxTest, MarksBelongToPositionsAndDeletingShiftsThem) {
    List->SetSelected(1, true);
    List->SetSelected(3, true);
    List->Items().Delete(1);
    EXPECT_EQ(List->Items().Texts(), (std::vector<std::string>{"a", "c", "d", "e"}));
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(List->SelCount(), 1);

    List->Items().Insert(0, "z");
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, false, false, true, false}));
    List->Items().Put(3, "x"); // a replaced item is unmarked
    List->Items().Add("f");
    EXPECT_EQ(List->SelCount(), 0);
    EXPECT_EQ(List->Items()[3], "x");

    List->SetSelected(0, true);
    List->Clear();
    EXPECT_EQ(List->SelCount(), 0);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(ListBoxTest, TheCurrentItemFollowsItsPositionAndGoesWithIt) {
    List->SetItemIndex(3);
    EXPECT_EQ(List->SelCount(), 0); // in a multi-select list it is only the caret
    List->Items().Delete(1);
    EXPECT_EQ(List->ItemIndex(), 2);
    List->Items().Put(2, "x");
    EXPECT_EQ(List->ItemIndex(), 2);
    List->Items().Delete(2);
    EXPECT_EQ(List->ItemIndex(), -1);
    List->SetItemIndex(99);
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(ListBoxTest, ASingleMarkListMarksItsCurrentItemOnly) {
    List->SetMultiSelect(false);
    List->SetSelected(2, true);
    List->SetSelected(1, true);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, true, false, false, false}));
    List->Items().Put(1, "B");
    EXPECT_TRUE(List->Selected(1));
    List->SetSelected(1, false);
    EXPECT_EQ(List->ItemIndex(), -1);
    try {
        List->Selected(5);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
}

TEST_F(ListBoxTest, ClicksMarkAsTheSystemsExtendedSelectionAndFireOnClickAtThePress) {
    std::vector<std::string> log;
    List->OnEnter = [&log](TComponent*) { log.push_back("enter"); };
    List->OnClick = [&log, this](TComponent*) {
        log.push_back("click " + std::to_string(List->ItemIndex()));
    };
    List->OnMouseUp = [&log](TComponent*, TMouseButton, TShiftState, int, int) {
        log.push_back("up");
    };
    Form->Show();

    Headless.UserClickAt(*List, 5, ItemY(1));
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click 1", "up"}));
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, true, false, false, false}));
    Headless.UserClickAt(*List, 5, ItemY(3), ssCtrl);
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, true, false, true, false}));
    Headless.UserClickAt(*List, 5, ItemY(4), ssShift);
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, false, false, true, true}));
    Headless.UserClickAt(*List, 5, ItemY(0));
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(List->ItemIndex(), 0);

    // Below the last item nothing is marked and there is no click.
    log.clear();
    Headless.UserClickAt(*List, 5, ItemY(8));
    EXPECT_EQ(log, (std::vector<std::string>{"up"}));
}

TEST_F(ListBoxTest, ArrowKeysMoveTheCurrentItemAndMarkOnlyIt) {
    int clicks = 0;
    List->OnClick = [&clicks](TComponent*) { ++clicks; };
    Form->Show();
    List->SetFocus();
    Headless.UserPressKey(*Form, vkDown);
    Headless.UserPressKey(*Form, vkDown);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(MarksOf(*List), (std::vector<bool>{false, true, false, false, false}));
    Headless.UserPressKey(*Form, vkEnd);
    Headless.UserPressKey(*Form, vkDown); // already at the end: no move, no click
    EXPECT_EQ(List->ItemIndex(), 4);
    EXPECT_EQ(clicks, 3);
}

TEST_F(HeadlessTest, AnEditReportsEveryChangeOfItsText) {
    TComponentPtr<TEdit> edit(new TEdit(nullptr));
    int changes = 0;
    edit->OnChange = [&changes](TComponent*) { ++changes; };
    edit->SetText("MyGroup.grp");
    edit->SetText("MyGroup.grp");
    edit->SetText("");
    EXPECT_EQ(changes, 2);
    edit->SetReadOnly(true);
    EXPECT_TRUE(edit->ReadOnly());
}

TEST_F(HeadlessTest, AnAutoSizedLabelTakesTheSizeOfItsCaption) {
    // The headless font for height -11: 6 pixels an advance, 13 a line.
    TComponentPtr<TLabel> label(new TLabel(nullptr));
    label->SetBounds(100, 4, 10, 10);
    label->SetCaption(" Select Directory ");
    EXPECT_EQ(label->BoundsRect(), Bounds(100, 4, 18 * 6, 13));
    label->SetCaption("");
    EXPECT_EQ(label->BoundsRect(), Bounds(100, 4, 6, 13));

    label->SetAlignment(taRightJustify);
    label->SetCaption("&Quit"); // the "&" takes no room
    EXPECT_EQ(label->BoundsRect(), Rect(106 - 24, 4, 106, 17));

    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(0, 0, 40, 40);
    label->SetCaption("a very long caption");
    EXPECT_EQ(label->BoundsRect(), Rect(0, 0, 40, 40));
}

TEST_F(ListBoxTest, AnUpdateOfTheItemsReachesTheWindowOnceAtItsEndWithTheMarksKept) {
    Form->Show();
    THeadlessPeer* peer = THeadlessPlatform::PeerOf(*List);
    ASSERT_NE(peer, nullptr);
    const auto itemChanges = [peer] {
        return std::count(peer->Changes.begin(), peer->Changes.end(), TPeerChange::Items);
    };
    List->SetSelected(1, true);
    const auto before = itemChanges();
    {
        const TStringsUpdate outer(List->Items());
        {
            const TStringsUpdate inner(List->Items());
            for (int i = 0; i < 100; ++i) {
                List->Items().Add("n" + std::to_string(i));
            }
            List->Items().Delete(0);
        }
        // The inner update's end is not the end of the run.
        EXPECT_EQ(itemChanges(), before);
        // The control itself is up to date all the while: marks move with their items.
        EXPECT_EQ(List->Items().Count(), 104);
        EXPECT_TRUE(List->Selected(0));
        EXPECT_EQ(List->SelCount(), 1);
    }
    EXPECT_EQ(itemChanges(), before + 1);
    EXPECT_FALSE(List->Items().Updating());

    // Without an update each change reaches the window.
    List->Items().Add("x");
    List->Items().Add("y");
    EXPECT_EQ(itemChanges(), before + 3);
}
