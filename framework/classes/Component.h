#pragma once

#include "framework/classes/Persistent.h"
#include "framework/classes/Sets.h"

#include <functional>
#include <unordered_map>
#include <vector>

enum TOperation { opInsert, opRemove };

LUM_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning,
         csAncestor, csUpdating, csFixups, csFreeNotification, csInline);
using TComponentState = TSet<TComponentStateItem>;

using TGetChildProc = std::function<void(TComponent* Child)>;

// A named object in an ownership tree: an owner frees the components it owns, and everyone
// that registered for it hears when a component goes (Notification with opRemove).
// Inserting or removing an owned component tells the component, the owner and the
// components of the owner's tree that registered for it (FreeNotification), not every
// sibling: a component that keeps a reference to another registers for it.
class TComponent : public TPersistent {
  LUM_CLASS(TComponent, TPersistent)
public:
  using TCreateArg = TComponent*;

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  // A valid identifier or empty, unique among the owner's components (letter case ignored):
  // EComponentError "'Foo bar' is not a valid component name" or
  // "A component named Button1 already exists".
  LUM_PUBLISHED(String, Name, FName, SetName, NoDefault, NotStored)
  LUM_PUBLISHED(Integer, Tag, FTag, Field, Default(0))
  virtual void SetName(const String& NewName);

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const; // EListError outside 0..ComponentCount-1
  int ComponentIndex() const;              // -1 without an owner
  void SetComponentIndex(int Value);
  TComponent* FindComponent(const String& AName) const; // letter case ignored
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents(); // frees the owned components, last first
  // Runs while the whole object still exists, before it is deleted (by its owner or Free).
  virtual void BeforeDestruction();
  // Deletes the component after BeforeDestruction.
  void Free();
  void Destroying(); // marks this and the owned components csDestroying

  // Registers AComponent to hear (and this to tell) when either goes away, and to hear when
  // this enters or leaves an owner of AComponent's tree.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool Value, bool SetChildren = true);

  String GetNamePath() const override { return FName; }

  // Hooks of the form-file reader and writer; controls override the parent ones.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value);
  // The components written inside this one: for the root, its owned components without a
  // parent; for any other component, none.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void ReadState(TReader* Reader);
  virtual void WriteState(TWriter* Writer);

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void Loaded();
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  TPersistent* GetOwner() const override { return FOwner; }
  void SetComponentStateItem(TComponentStateItem AItem, bool AValue);

private:
  void InsertIntoList(TComponent* AComponent);
  void RemoveFromList(TComponent* AComponent);
  void IndexName(TComponent* AComponent);
  void UnindexName(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  bool IsOwnedBy(const TComponent* AOwner) const; // directly or further up
  void NotifyConcerned(TComponent* AComponent, TOperation Operation);
  void TellFreeNotifiesAboutDestruction();

  TComponent* FOwner = nullptr;
  String FName;
  Integer FTag = 0;
  std::vector<TComponent*> FComponents;
  std::unordered_map<String, TComponent*> FComponentsByName; // upper-case names
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  // Set by the reader: the next component constructed starts in csLoading.
  inline static thread_local bool FConstructingForReader = false;

  friend class TReader;
  friend class TWriter;
};

bool IsValidIdent(const String& Ident);
