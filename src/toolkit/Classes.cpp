#include "toolkit/Classes.h"

#include "toolkit/Sysutils.h"

#include <algorithm>

namespace {

bool IsIdentifier(const std::string& name) {
    auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.empty() || !letter(name[0])) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || digit(c); });
}

void Erase(std::vector<TComponent*>& list, TComponent* component) {
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

} // namespace

// ---- TComponent --------------------------------------------------------------------------------

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        IsLoading = owner->IsLoading;
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    IsDestroying = true;
    // Two-way links: each side forgets the other before it hears of the removal.
    std::vector<TComponent*> notifies = std::move(FreeNotifies);
    FreeNotifies.clear();
    for (TComponent* component : notifies) {
        Erase(component->FreeNotifies, this);
        component->Notification(this, opRemove);
    }
    // The last created goes first; an owner being destroyed sends its components no news.
    while (!OwnedComponents.empty()) {
        TComponent* component = OwnedComponents.back();
        OwnedComponents.pop_back();
        component->OwnerComponent = nullptr;
        Free(component);
    }
    if (OwnerComponent) {
        OwnerComponent->RemoveComponent(this);
    }
}

void TComponent::Free(TComponent* component) {
    if (!component) {
        return;
    }
    component->IsDestroying = true;
    component->BeforeDestruction();
    delete component;
}

void TComponent::SetName(const std::string& name) {
    if (name == ComponentName) {
        return;
    }
    if (!name.empty()) {
        if (!IsIdentifier(name)) {
            throw Exception("'" + name + "' is not a valid component name");
        }
        if (OwnerComponent) {
            TComponent* other = OwnerComponent->FindComponent(name);
            if (other && other != this) {
                throw Exception("A component named " + name + " already exists");
            }
        }
    }
    ComponentName = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) {
        return nullptr;
    }
    for (TComponent* component : OwnedComponents) {
        if (SameText(component->ComponentName, name)) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) {
        return;
    }
    if (std::find(FreeNotifies.begin(), FreeNotifies.end(), component) == FreeNotifies.end()) {
        FreeNotifies.push_back(component);
    }
    if (std::find(component->FreeNotifies.begin(), component->FreeNotifies.end(), this) ==
        component->FreeNotifies.end()) {
        component->FreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) {
        return;
    }
    Erase(FreeNotifies, component);
    Erase(component->FreeNotifies, this);
}

void TComponent::BeginLoading() {
    IsLoading = true;
    for (TComponent* component : OwnedComponents) {
        component->BeginLoading();
    }
}

void TComponent::EndLoading() {
    CallLoaded();
}

void TComponent::CallLoaded() {
    // Index by index: a Loaded handler may create components, which get loaded as well.
    for (std::size_t i = 0; i < OwnedComponents.size(); ++i) {
        if (OwnedComponents[i]->IsLoading) {
            OwnedComponents[i]->CallLoaded();
        }
    }
    IsLoading = false;
    Loaded();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        RemoveFreeNotification(component);
    }
    const std::vector<TComponent*> owned = OwnedComponents;
    for (TComponent* each : owned) {
        each->Notification(component, operation);
    }
}

void TComponent::InsertComponent(TComponent* component) {
    component->OwnerComponent = this;
    OwnedComponents.push_back(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Erase(OwnedComponents, component);
    component->OwnerComponent = nullptr;
    Notification(component, opRemove);
}

// ---- TStrings ----------------------------------------------------------------------------------

bool TStrings::NameLess(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(UpCase(a[i]));
        const auto y = static_cast<unsigned char>(UpCase(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    // Names that differ only in case still have one fixed order.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) {
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    }
}

const std::string& TStrings::Strings(int index) const {
    CheckIndex(index, Count());
    return Items[std::size_t(index)];
}

void TStrings::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    Items[std::size_t(index)] = text;
    Changed(TChange::Replaced, index);
}

int TStrings::Add(const std::string& text) {
    int index = Count();
    if (IsSorted) {
        index = int(std::upper_bound(Items.begin(), Items.end(), text, NameLess) - Items.begin());
    }
    Insert(index, text);
    return index;
}

void TStrings::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    Items.insert(Items.begin() + index, text);
    Changed(TChange::Inserted, index);
}

void TStrings::Delete(int index) {
    CheckIndex(index, Count());
    Items.erase(Items.begin() + index);
    Changed(TChange::Deleted, index);
}

void TStrings::Clear() {
    Items.clear();
    Changed(TChange::Cleared, -1);
}

int TStrings::IndexOf(const std::string& text) const {
    const auto found = std::find(Items.begin(), Items.end(), text);
    return found == Items.end() ? -1 : int(found - Items.begin());
}

void TStrings::Assign(const std::vector<std::string>& texts) {
    Items = texts;
    if (IsSorted) {
        std::stable_sort(Items.begin(), Items.end(), NameLess);
    }
    Changed(TChange::Reset, -1);
}

void TStrings::BeginUpdate() {
    if (UpdateCount++ == 0) {
        SetUpdateState(true);
    }
}

void TStrings::EndUpdate() {
    if (UpdateCount > 0 && --UpdateCount == 0) {
        SetUpdateState(false);
    }
}

void TStrings::SetSorted(bool sorted) {
    if (sorted == IsSorted) {
        return;
    }
    IsSorted = sorted;
    if (sorted) {
        std::stable_sort(Items.begin(), Items.end(), NameLess);
        Changed(TChange::Reset, -1);
    }
}

TTextsChange TextsChange(const std::vector<std::string>& before,
                         const std::vector<std::string>& after) {
    TTextsChange change;
    std::size_t& head = change.Head;
    while (head < after.size() && head < before.size() && after[head] == before[head]) {
        ++head;
    }
    std::size_t& tail = change.Tail;
    while (tail < after.size() - head && tail < before.size() - head &&
           after[after.size() - 1 - tail] == before[before.size() - 1 - tail]) {
        ++tail;
    }
    return change;
}
