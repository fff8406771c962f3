#pragma once

#include "framework/classes/Persistent.h"

#include <memory>
#include <vector>

class TCollection;

// One item of a collection; its published properties are stored in the form file.
class TCollectionItem : public TPersistent {
  LUM_CLASS(TCollectionItem, TPersistent)
public:
  using TCreateArg = TCollection*;

  explicit TCollectionItem(TCollection* ACollection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  void SetCollection(TCollection* Value);
  int Index() const;
  void SetIndex(int Value);
  int ID() const { return FID; }
  virtual String DisplayName() const { return ClassName(); }
  String GetNamePath() const override;

protected:
  TPersistent* GetOwner() const override;
  void Changed(bool AllItems);

private:
  TCollection* FCollection = nullptr;
  int FID = 0;
  friend class TCollection;
};

// An owned, ordered list of items of one item class.
class TCollection : public TPersistent {
  LUM_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(TClass AItemClass);
  ~TCollection() override;

  TClass ItemClass() const { return FItemClass; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int Index) const; // EListError "List index out of bounds (n)"
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // Items of the same item class are copied one by one; anything else as TPersistent does.
  void Assign(TPersistent* Source) override;
  String GetNamePath() const override;
  // The name of the owner's property holding this collection, for GetNamePath.
  virtual String PropName() const { return FPropName; }
  void SetPropName(const String& Value) { FPropName = Value; }

protected:
  virtual void Update(TCollectionItem* Item);
  void Changed();

private:
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  String FPropName;
  friend class TCollectionItem;
};

// A collection that knows its owner (the component or object holding it).
class TOwnedCollection : public TCollection {
  LUM_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* AOwner, TClass AItemClass)
      : TCollection(AItemClass), FOwner(AOwner) {}

protected:
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};
