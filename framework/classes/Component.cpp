#include "framework/classes/Component.h"

#include "framework/classes/Filer.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

// Searches from the end: owners remove their newest components most often.
void EraseItem(std::vector<TComponent*>& AList, TComponent* AItem) {
  const auto it = std::find(AList.rbegin(), AList.rend(), AItem);
  if (it != AList.rend()) AList.erase(std::next(it).base());
}

} // namespace

bool IsValidIdent(const String& Ident) {
  if (Ident.empty() || !IsIdentStart(Ident[0])) return false;
  return std::all_of(Ident.begin() + 1, Ident.end(), IsIdentChar);
}

TComponent* TClassInfo::Create(TComponent* AOwner) const {
  if (!InheritsFrom(TComponent::StaticClass()))
    throw EInvalidCast("Class " + FName + " is no component class");
  return static_cast<TComponent*>(CreateInstance(AOwner));
}

TComponent::TComponent(TComponent* AOwner) {
  if (FConstructingForReader) {
    FConstructingForReader = false;
    FComponentState.Include(csLoading);
  }
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  TellFreeNotifiesAboutDestruction();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::TellFreeNotifiesAboutDestruction() {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    other->Notification(this, opRemove);
    // An override that does not call the inherited Notification leaves the pair registered.
    if (!FFreeNotifies.empty() && FFreeNotifies.back() == other) {
      FFreeNotifies.pop_back();
      other->RemoveNotification(this);
    }
  }
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  if (FOwner) FOwner->UnindexName(this);
  FName = NewName;
  if (FOwner) FOwner->IndexName(this);
}

void TComponent::IndexName(TComponent* AComponent) {
  if (!AComponent->FName.empty()) FComponentsByName[UpperCase(AComponent->FName)] = AComponent;
}

void TComponent::UnindexName(TComponent* AComponent) {
  if (AComponent->FName.empty()) return;
  const auto it = FComponentsByName.find(UpperCase(AComponent->FName));
  if (it != FComponentsByName.end() && it->second == AComponent) FComponentsByName.erase(it);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName,
                                const String& NewName) {
  if (!AComponent || NewName.empty() || SameText(CurName, NewName)) return;
  const TComponent* existing = FindComponent(NewName);
  if (existing && existing != AComponent)
    throw EComponentError("A component named " + NewName + " already exists");
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& list = FOwner->FComponents;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  const int current = ComponentIndex();
  if (current < 0) return;
  const int last = static_cast<int>(list.size()) - 1;
  const int target = std::clamp(Value, 0, last);
  list.erase(list.begin() + current);
  list.insert(list.begin() + target, this);
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  const auto it = FComponentsByName.find(UpperCase(AName));
  return it == FComponentsByName.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  ValidateRename(AComponent, "", AComponent->FName);
  InsertIntoList(AComponent);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  NotifyConcerned(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  NotifyConcerned(AComponent, opRemove);
  RemoveFromList(AComponent);
}

bool TComponent::IsOwnedBy(const TComponent* AOwner) const {
  for (const TComponent* o = FOwner; o; o = o->FOwner)
    if (o == AOwner) return true;
  return false;
}

// The component itself, those of this owner's tree that registered for it, and the owner:
// nobody else holds a reference that the change could leave dangling.
void TComponent::NotifyConcerned(TComponent* AComponent, TOperation Operation) {
  AComponent->Notification(AComponent, Operation);
  // A listener may unregister (or go) while hearing it; the index walk tolerates that.
  const auto& listeners = AComponent->FFreeNotifies;
  for (std::size_t i = 0; i < listeners.size(); ++i) {
    TComponent* c = listeners[i];
    if (c == this || !c->IsOwnedBy(this)) continue;
    c->Notification(AComponent, Operation);
    if (i < listeners.size() && listeners[i] != c) --i;
  }
  Notification(AComponent, Operation);
}

void TComponent::InsertIntoList(TComponent* AComponent) {
  if (AComponent->FOwner) AComponent->FOwner->RemoveFromList(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  IndexName(AComponent);
}

void TComponent::RemoveFromList(TComponent* AComponent) {
  UnindexName(AComponent);
  EraseItem(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    if (instance->FComponentState.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      RemoveFromList(instance);
    instance->BeforeDestruction();
    delete instance;
  }
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (std::size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FreeNotification(this);
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  EraseItem(FFreeNotifies, AComponent);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetComponentStateItem(csDesigning, Value);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value);
}

void TComponent::SetComponentStateItem(TComponentStateItem AItem, bool AValue) {
  if (AValue)
    FComponentState.Include(AItem);
  else
    FComponentState.Exclude(AItem);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  if (Root != this) return;
  for (std::size_t i = 0; i < FComponents.size(); ++i)
    if (!FComponents[i]->HasParent()) Proc(FComponents[i]);
}

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }
