#pragma once
// Components, events and string lists: the base of everything the toolkit builds.
//
// A component has an owner that frees it, a name unique among its owner's components, and the
// owner's notifications of components going away. Events are method pointers: a receiver plus
// the code to run on it, compared by their code the way the system's menus ask "is this item's
// draw handler already the given one".

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// ---- Events ------------------------------------------------------------------------------------

// A method pointer: the code to run and the object to run it on. Bound from (object,
// &Class::Method), or from a free function or lambda (no receiver). Firing an unassigned event
// does nothing.
template <class... Args>
class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <class Object, class Class>
    TEvent(Object* receiver, void (Class::*method)(Args...))
        : Receiver(static_cast<Class*>(receiver)),
          Invoker(std::make_shared<TMethodInvoker<Class>>(method)),
          Kind(&TKindTag<TMethodInvoker<Class>>::Id) {
        static_assert(sizeof method <= sizeof(TCode), "method pointer larger than expected");
        std::memcpy(Code.data(), &method, sizeof method);
    }

    template <class Function,
              class = std::enable_if_t<!std::is_same_v<std::decay_t<Function>, TEvent> &&
                                       std::is_invocable_v<const std::decay_t<Function>&, Args...>>>
    TEvent(Function function) {
        using TStored = std::decay_t<Function>;
        if constexpr (std::is_pointer_v<TStored>) {
            if (!function) {
                return;
            }
            // Free functions are told apart by their address.
            std::memcpy(Code.data(), &function, sizeof function);
        }
        Invoker = std::make_shared<TFunctionInvoker<TStored>>(std::move(function));
        Kind = &TKindTag<TFunctionInvoker<TStored>>::Id;
    }

    explicit operator bool() const { return Invoker != nullptr; }

    void operator()(Args... args) const {
        if (Invoker) {
            Invoker->Call(Receiver, args...);
        }
    }

    // True when both run the same code, whatever their receivers. Lambdas of one type share
    // their code.
    bool SameCode(const TEvent& other) const { return Kind == other.Kind && Code == other.Code; }
    // The object the code runs on; nullptr for a free function or lambda.
    void* Data() const { return Receiver; }

    friend bool operator==(const TEvent& a, const TEvent& b) {
        return a.SameCode(b) && a.Receiver == b.Receiver;
    }

private:
    using TCode = std::array<unsigned char, 4 * sizeof(void*)>;

    struct TInvoker {
        virtual ~TInvoker() = default;
        virtual void Call(void* receiver, Args... args) const = 0;
    };
    template <class Class>
    struct TMethodInvoker final : TInvoker {
        explicit TMethodInvoker(void (Class::*method)(Args...)) : Method(method) {}
        void Call(void* receiver, Args... args) const override {
            (static_cast<Class*>(receiver)->*Method)(args...);
        }
        void (Class::*Method)(Args...);
    };
    template <class Function>
    struct TFunctionInvoker final : TInvoker {
        explicit TFunctionInvoker(Function function) : Stored(std::move(function)) {}
        void Call(void* /*receiver*/, Args... args) const override { Stored(args...); }
        Function Stored;
    };
    // One object per kind of invoker; its address names the kind.
    template <class Invoker>
    struct TKindTag {
        static inline const char Id = 0;
    };

    void* Receiver = nullptr;
    std::shared_ptr<const TInvoker> Invoker;
    const char* Kind = nullptr;
    TCode Code{};
};

class TComponent;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keyboard and mouse state of an input event.
enum TShiftStateBit : std::uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = std::uint8_t; // a set of TShiftStateBit

using TNotifyEvent = TEvent<TComponent*>;
using TMouseEvent = TEvent<TComponent*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TComponent*, TShiftState, int, int>;
// Key is a virtual key code (vk... in Controls.h); a handler may set it to 0 to swallow it.
using TKeyEvent = TEvent<TComponent*, std::uint16_t&, TShiftState>;
// Key is the typed character; a handler may set it to 0 to swallow it.
using TKeyPressEvent = TEvent<TComponent*, char&>;

// ---- Components --------------------------------------------------------------------------------

enum TOperation { opInsert, opRemove };

// A component belongs to its owner, which frees it. Free components with TComponent::Free (or
// TComponentPtr), not with delete, so that BeforeDestruction runs while the whole object is
// still alive.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Runs BeforeDestruction, then deletes component; nullptr is allowed.
    static void Free(TComponent* component);

    TComponent* Owner() const { return OwnerComponent; }
    const std::string& Name() const { return ComponentName; }
    // Names are identifiers (a letter or "_" first, then letters, digits, "_"), unique among the
    // owner's components without regard to ASCII case; an empty name is always allowed.
    void SetName(const std::string& name);

    int ComponentCount() const { return int(OwnedComponents.size()); }
    TComponent* Components(int index) const { return OwnedComponents.at(std::size_t(index)); }
    // The owned component called name (ASCII case ignored), or nullptr.
    TComponent* FindComponent(const std::string& name) const;

    // component is told (Notification with opRemove) when this component goes away, even when
    // they have different owners. Components of one owner are told anyway.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // The loading state: set while a component and those it owns are being set up from a
    // description; EndLoading clears it and calls Loaded on each owned component, in creation
    // order, and last on this one, which then sees everything loaded. Components created while
    // their owner loads start loading.
    void BeginLoading();
    void EndLoading();
    bool Loading() const { return IsLoading; }
    bool Destroying() const { return IsDestroying; }

    // Sent to the owner, and by it to every component it owns, when component is added
    // (opInsert) or goes away (opRemove); also to those that asked with FreeNotification.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    // After loading: properties are all set.
    virtual void Loaded() {}
    // Before the destructors run, while the object is whole (forms fire OnDestroy here).
    virtual void BeforeDestruction() {}

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void CallLoaded();

    TComponent* OwnerComponent = nullptr;
    std::string ComponentName;
    std::vector<TComponent*> OwnedComponents;
    std::vector<TComponent*> FreeNotifies;
    bool IsLoading = false;
    bool IsDestroying = false;
};

struct TComponentFree {
    void operator()(TComponent* component) const { TComponent::Free(component); }
};
// Sole ownership of a component that has no owner, freed with TComponent::Free.
template <class T>
using TComponentPtr = std::unique_ptr<T, TComponentFree>;

// ---- String lists ------------------------------------------------------------------------------

// Where two lists of texts differ: the number of texts they share at the start, and after those
// the number they share at the end. A list control's window changes only the texts between.
struct TTextsChange {
    std::size_t Head = 0;
    std::size_t Tail = 0;
};
TTextsChange TextsChange(const std::vector<std::string>& before,
                         const std::vector<std::string>& after);

// A list of texts. Indexes out of range raise "List index out of bounds (%d)". A sorted list
// puts an added text at its place in the list's name order (ASCII case folded, then byte for
// byte); Put and Insert place texts where they are told to, sorted or not.
class TStrings {
public:
    virtual ~TStrings() = default;

    int Count() const { return int(Items.size()); }
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    // Replaces the text at index.
    void Put(int index, const std::string& text);
    // Appends text (or, sorted, inserts it at its place); returns its index.
    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // The first index holding exactly text, or -1.
    int IndexOf(const std::string& text) const;
    void Assign(const std::vector<std::string>& texts);
    const std::vector<std::string>& Texts() const { return Items; }

    bool Sorted() const { return IsSorted; }
    // Sorting an unsorted list puts its texts in name order.
    void SetSorted(bool sorted);

    // The name order of sorted lists: true when a goes before b.
    static bool NameLess(const std::string& a, const std::string& b);

    // A run of changes made as one: between the first BeginUpdate and its matching EndUpdate
    // the owner still hears of each change, but holds what it would show until the end (a list
    // box fills its window once, not item by item). Calls nest.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return UpdateCount > 0; }

    enum class TChange { Inserted, Deleted, Replaced, Cleared, Reset };

protected:
    // After each change; index is the position changed (-1 for Cleared and Reset).
    virtual void Changed(TChange /*change*/, int /*index*/) {}
    // When the first BeginUpdate begins a run of changes (true) and when the last EndUpdate
    // ends it (false).
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> Items;
    bool IsSorted = false;
    int UpdateCount = 0;
};

// Holds strings in an update (BeginUpdate) while it lives, also when an exception leaves.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings& strings) : Strings(strings) { Strings.BeginUpdate(); }
    ~TStringsUpdate() { Strings.EndUpdate(); }
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStrings& Strings;
};
