#include "toolkit/Classes.h"
#include "toolkit/Sysutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A component that writes what happens to it into a shared log.
class TLogged : public TComponent {
public:
    TLogged(TComponent* owner, const std::string& name, std::vector<std::string>& log)
        : TComponent(owner), Log(log) {
        SetName(name);
    }
    ~TLogged() override { Log.push_back("free " + Name()); }

    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove) {
            Log.push_back(Name() + " hears " + component->Name() + " go");
        }
        TComponent::Notification(component, operation);
    }

    bool LoadingSeenInLoaded = true;

protected:
    void Loaded() override {
        LoadingSeenInLoaded = Loading();
        Log.push_back("loaded " + Name());
    }

private:
    std::vector<std::string>& Log;
};

class TReceiver {
public:
    void Handle(TComponent*) { ++Calls; }
    void Other(TComponent*) {}
    void Key(TComponent*, std::uint16_t& key, TShiftState) { key = 0; }
    int Calls = 0;
};

void FreeHandler(TComponent*) {}
void OtherFreeHandler(TComponent*) {}

} // namespace

TEST(ComponentTest, OwnerFreesItsComponentsLastCreatedFirst) {
    std::vector<std::string> log;
    auto* owner = new TLogged(nullptr, "Owner", log);
    new TLogged(owner, "First", log);
    new TLogged(owner, "Second", log);
    TComponent::Free(owner);
    // The owner's own destructor runs first, then its components go, the last created first.
    EXPECT_EQ(log, (std::vector<std::string>{"free Owner", "free Second", "free First"}));
}

TEST(ComponentTest, FreeingOneTellsTheOwnerAndItsOtherComponents) {
    std::vector<std::string> log;
    TComponentPtr<TLogged> owner(new TLogged(nullptr, "Owner", log));
    auto* menu = new TLogged(owner.get(), "Menu", log);
    auto* module = new TLogged(owner.get(), "Module", log);
    TComponent::Free(module);
    EXPECT_EQ(log, (std::vector<std::string>{"free Module", "Owner hears Module go",
                                             "Menu hears Module go"}));
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), menu);
}

TEST(ComponentTest, FreeNotificationLinksComponentsOfDifferentOwnersBothWays) {
    std::vector<std::string> log;
    TComponentPtr<TLogged> a(new TLogged(nullptr, "A", log));
    auto* b = new TLogged(nullptr, "B", log);
    auto* c = new TLogged(nullptr, "C", log);
    a->FreeNotification(b);
    a->FreeNotification(c);
    TComponent::Free(b); // B's side of the link goes with it: A hears of it once
    EXPECT_EQ(log, (std::vector<std::string>{"free B", "A hears B go"}));
    log.clear();
    a.reset(); // C hears of A; A no longer remembers B
    EXPECT_EQ(log, (std::vector<std::string>{"free A", "C hears A go"}));
    log.clear();
    TComponent::Free(c); // and C no longer remembers A
    EXPECT_EQ(log, (std::vector<std::string>{"free C"}));
}

TEST(ComponentTest, NamesAreUniqueAmongTheOwnersComponentsWithoutRegardToCase) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* button = new TComponent(owner.get());
    button->SetName("btnQuit");
    EXPECT_EQ(owner->FindComponent("BTNQUIT"), button);
    EXPECT_EQ(owner->FindComponent("btnQui"), nullptr);

    auto* other = new TComponent(owner.get());
    try {
        other->SetName("BtnQuit");
        FAIL() << "a second BtnQuit was accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "A component named BtnQuit already exists");
    }
    EXPECT_THROW(other->SetName("1st"), Exception);
    EXPECT_THROW(other->SetName("a b"), Exception);
    other->SetName("_A0");
    other->SetName("");
    EXPECT_EQ(other->Name(), "");
}

TEST(ComponentTest, EndLoadingCallsLoadedOnTheOwnedComponentsThenOnTheOwner) {
    std::vector<std::string> log;
    TComponentPtr<TLogged> form(new TLogged(nullptr, "Form", log));
    form->BeginLoading();
    auto* list = new TLogged(form.get(), "List", log);
    EXPECT_TRUE(list->Loading());
    form->EndLoading();
    EXPECT_EQ(log, (std::vector<std::string>{"loaded List", "loaded Form"}));
    EXPECT_FALSE(list->LoadingSeenInLoaded);
    EXPECT_FALSE(form->LoadingSeenInLoaded);
    EXPECT_FALSE(list->Loading());
}

TEST(EventTest, MethodsCompareByCodeWhateverTheReceiver) {
    TReceiver first;
    TReceiver second;
    const TNotifyEvent a(&first, &TReceiver::Handle);
    const TNotifyEvent b(&second, &TReceiver::Handle);
    const TNotifyEvent c(&first, &TReceiver::Other);
    EXPECT_TRUE(a.SameCode(b));
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a == TNotifyEvent(&first, &TReceiver::Handle));
    EXPECT_FALSE(a.SameCode(c));
    EXPECT_EQ(a.Data(), &first);

    b(nullptr);
    EXPECT_EQ(second.Calls, 1);
    EXPECT_EQ(first.Calls, 0);
}

TEST(EventTest, FreeFunctionsAndLambdasCompareByTheirCode) {
    const TNotifyEvent f(&FreeHandler);
    EXPECT_TRUE(f.SameCode(TNotifyEvent(&FreeHandler)));
    EXPECT_FALSE(f.SameCode(TNotifyEvent(&OtherFreeHandler)));

    int calls = 0;
    auto count = [&calls](TComponent*) { ++calls; };
    const TNotifyEvent l1(count);
    const TNotifyEvent l2(count);
    EXPECT_TRUE(l1.SameCode(l2));
    EXPECT_FALSE(l1.SameCode(TNotifyEvent([](TComponent*) {})));
    EXPECT_FALSE(l1.SameCode(f));
    l2(nullptr);
    EXPECT_EQ(calls, 1);
}

TEST(EventTest, AnUnassignedEventDoesNothingAndReferencesReachTheHandler) {
    TNotifyEvent none;
    EXPECT_FALSE(none);
    none(nullptr);
    EXPECT_FALSE(none.SameCode(TNotifyEvent(&FreeHandler)));

    TReceiver receiver;
    const TKeyEvent swallow(&receiver, &TReceiver::Key);
    std::uint16_t key = 'Q';
    swallow(nullptr, key, 0);
    EXPECT_EQ(key, 0);
}

TEST(StringsTest, ASortedListAddsInNameOrderAndPutPlacesWhereItIsTold) {
    TStrings list;
    list.SetSorted(true);
    for (const char* name : {"b.art", "_a.art", "A1.map", "a0.MAP", "B.ART"}) {
        list.Add(name);
    }
    // ASCII case folded: "_" (95) after the capitals, names equal but for case in byte order.
    EXPECT_EQ(list.Texts(),
              (std::vector<std::string>{"a0.MAP", "A1.map", "B.ART", "b.art", "_a.art"}));
    list.Put(0, "zzz");
    EXPECT_EQ(list[0], "zzz");
    EXPECT_EQ(list.IndexOf("b.art"), 3);
    EXPECT_EQ(list.IndexOf("B.art"), -1);
}

TEST(StringsTest, BadIndexesRaiseAMessageWithTheIndex) {
    TStrings list;
    list.Add("one");
    try {
        list.Delete(1);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.Strings(-1), Exception);
    EXPECT_THROW(list.Insert(2, "x"), Exception);
    list.Insert(1, "two");
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringsTest, TheChangeOfTwoListsIsWhatLiesBetweenTheirCommonHeadAndTail) {
    using TTexts = std::vector<std::string>;
    using TSpan = std::vector<std::size_t>; // head, tail
    const auto change = [](const TTexts& before, const TTexts& after) {
        const TTextsChange c = TextsChange(before, after);
        return std::vector<std::size_t>{c.Head, c.Tail};
    };
    EXPECT_EQ(change({"A", "B", "C"}, {"A", "B", "C"}), (TSpan{3, 0}));
    EXPECT_EQ(change({"A", "B", "C"}, {"A", "X", "Y", "C"}), (TSpan{1, 1}));
    EXPECT_EQ(change({"A", "B"}, {"C", "D"}), (TSpan{0, 0}));
    EXPECT_EQ(change({}, {"A"}), (TSpan{0, 0}));
    // The tail never reaches back into the head: one of two equal texts removed.
    EXPECT_EQ(change({"A", "A"}, {"A"}), (TSpan{1, 0}));
    EXPECT_EQ(change({"A"}, {"A", "A"}), (TSpan{1, 0}));
}
