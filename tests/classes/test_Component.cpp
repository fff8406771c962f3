#include "framework/classes/Component.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TEvent {
  String Listener;
  String Subject;
  TOperation Operation;
  bool operator==(const TEvent&) const = default;
};

// Records what it hears and when it is destroyed; may reference another component.
class TProbe : public TComponent {
  LUM_CLASS(TProbe, TComponent)
public:
  TProbe(TComponent* AOwner, const String& AName, std::vector<TEvent>* ALog = nullptr,
         std::vector<String>* ADeaths = nullptr)
      : TComponent(AOwner), Log(ALog), Deaths(ADeaths) {
    SetName(AName);
  }
  ~TProbe() override {
    SawDestroying = ComponentState().Contains(csDestroying);
    if (Deaths) Deaths->push_back(Name());
    SetReference(nullptr);
  }
  void SetReference(TComponent* Value) {
    if (Reference) Reference->RemoveFreeNotification(this);
    Reference = Value;
    if (Reference) Reference->FreeNotification(this);
  }

  std::vector<TEvent>* Log;
  std::vector<String>* Deaths;
  TComponent* Reference = nullptr;
  TComponent* DieWith = nullptr;
  bool SawDestroying = false;
  int LoadedCalls = 0;
  using TComponent::Loaded;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (Log) Log->push_back({Name(), AComponent->Name(), Operation});
    if (Operation == opRemove && AComponent == Reference) Reference = nullptr;
    if (Operation == opRemove && AComponent == DieWith) delete this;
  }
};

} // namespace

TEST(ComponentOwnership, OwnerListsItsComponentsInInsertionOrder) {
  TProbe owner(nullptr, "Owner");
  auto* a = new TProbe(&owner, "A");
  auto* b = new TProbe(&owner, "B");
  EXPECT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_EQ(owner.Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(owner.ComponentIndex(), -1);
  EXPECT_EQ(a->Owner(), &owner);
  b->SetComponentIndex(0);
  EXPECT_EQ(owner.Components(0), b);
  ExpectError<EListError>([&] { owner.Components(2); }, "List index out of bounds (2)");
  EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(ComponentOwnership, OwnerFreesWhatItOwnsLastFirst) {
  std::vector<String> deaths;
  auto owner = std::make_unique<TProbe>(nullptr, "Owner", nullptr, &deaths);
  auto* a = new TProbe(owner.get(), "A", nullptr, &deaths);
  new TProbe(owner.get(), "B", nullptr, &deaths);
  new TProbe(a, "A1", nullptr, &deaths);
  owner->Destroying();
  EXPECT_TRUE(a->ComponentState().Contains(csDestroying));
  owner.reset();
  EXPECT_EQ(deaths, (std::vector<String>{"Owner", "B", "A", "A1"}));
  deaths.clear();
  TProbe kept(nullptr, "Kept");
  new TProbe(&kept, "A", nullptr, &deaths);
  new TProbe(&kept, "B", nullptr, &deaths);
  kept.DestroyComponents();
  EXPECT_EQ(kept.ComponentCount(), 0);
  EXPECT_EQ(deaths, (std::vector<String>{"B", "A"}));
}

TEST(ComponentOwnership, DeletedComponentLeavesItsOwnersList) {
  std::vector<TEvent> log;
  TProbe owner(nullptr, "Owner", &log);
  auto* a = new TProbe(&owner, "A", &log);
  auto* b = new TProbe(&owner, "B", &log);
  new TProbe(&owner, "C", &log);
  b->SetReference(a);
  log.clear();
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.FindComponent("A"), nullptr);
  EXPECT_EQ(b->Reference, nullptr);
  // C holds no reference to A, so it is not told.
  EXPECT_EQ(log, (std::vector<TEvent>{{"B", "A", opRemove}, {"Owner", "A", opRemove}}));
}

TEST(ComponentOwnership, InsertAndRemoveMoveBetweenOwners) {
  std::vector<TEvent> log;
  TProbe first(nullptr, "First", &log);
  TProbe second(nullptr, "Second", &log);
  auto* c = new TProbe(&first, "C", &log);
  log.clear();
  first.RemoveComponent(c);
  EXPECT_EQ(c->Owner(), nullptr);
  EXPECT_EQ(first.ComponentCount(), 0);
  second.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &second);
  EXPECT_EQ(log, (std::vector<TEvent>{{"C", "C", opRemove},
                                      {"First", "C", opRemove},
                                      {"C", "C", opInsert},
                                      {"Second", "C", opInsert}}));
  auto* twin = new TProbe(nullptr, "c");
  EXPECT_THROW(second.InsertComponent(twin), EComponentError);
  EXPECT_EQ(twin->Owner(), nullptr);
  delete twin;
}

TEST(ComponentNames, MustBeIdentifiers) {
  TProbe owner(nullptr, "Owner");
  auto* a = new TProbe(&owner, "A");
  for (const char* bad : {"Foo bar", "1st", "a-b", "ä"}) {
    ExpectError<EComponentError>([&] { a->SetName(bad); },
                                 "'" + String(bad) + "' is not a valid component name");
  }
  EXPECT_EQ(a->Name(), "A");
  a->SetName("_x9");
  EXPECT_EQ(a->Name(), "_x9");
  EXPECT_TRUE(IsValidIdent("Button1"));
  EXPECT_FALSE(IsValidIdent(""));
}

TEST(ComponentNames, AreUniqueAmongTheOwnersComponentsIgnoringCase) {
  TProbe owner(nullptr, "Owner");
  auto* a = new TProbe(&owner, "Button1");
  auto* b = new TProbe(&owner, "Edit1");
  ExpectError<EComponentError>([&] { b->SetName("BUTTON1"); },
                               "A component named BUTTON1 already exists");
  EXPECT_EQ(b->Name(), "Edit1");
  a->SetName("button1"); // its own name in another case
  auto* unnamed1 = new TProbe(&owner, "");
  auto* unnamed2 = new TProbe(&owner, "");
  EXPECT_EQ(unnamed1->Name(), unnamed2->Name());
  EXPECT_EQ(owner.FindComponent("EDIT1"), b);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(ComponentNotification, FreeNotificationReachesComponentsOfOtherOwners) {
  std::vector<TEvent> log;
  TProbe form1(nullptr, "Form1", &log);
  TProbe form2(nullptr, "Form2", &log);
  auto* printer = new TProbe(&form1, "Printer", &log);
  auto* image = new TProbe(&form2, "Image", &log);
  printer->SetReference(image);
  log.clear();
  delete image;
  EXPECT_EQ(printer->Reference, nullptr);
  EXPECT_EQ(log,
            (std::vector<TEvent>{{"Printer", "Image", opRemove}, {"Form2", "Image", opRemove}}));
}

TEST(ComponentNotification, RemoveFreeNotificationStopsIt) {
  std::vector<TEvent> log;
  TProbe form1(nullptr, "Form1", &log);
  auto* printer = new TProbe(&form1, "Printer", &log);
  auto image = std::make_unique<TProbe>(nullptr, "Image", &log);
  printer->SetReference(image.get());
  printer->SetReference(nullptr);
  log.clear();
  image.reset();
  EXPECT_TRUE(log.empty());
}

TEST(ComponentNotification, ReferenceThatOutlivesTheReferrerIsUnhooked) {
  auto image = std::make_unique<TProbe>(nullptr, "Image");
  {
    TProbe printer(nullptr, "Printer");
    printer.SetReference(image.get());
  }
  image.reset(); // must not tell the printer that is gone
  SUCCEED();
}

TEST(ComponentNotification, SiblingReferencesSurviveTheOwnersDestruction) {
  std::vector<TEvent> log;
  auto form = std::make_unique<TProbe>(nullptr, "Form", &log);
  auto* button = new TProbe(form.get(), "Button", &log);
  auto* edit = new TProbe(form.get(), "Edit", &log);
  button->SetReference(edit);
  form.reset();
  const TEvent heard{"Button", "Edit", opRemove};
  EXPECT_NE(std::find(log.begin(), log.end(), heard), log.end());
}

TEST(ComponentNotification, ComponentDestroyingItselfWhileItsOwnerIsDestroyed) {
  std::vector<String> deaths;
  auto form = std::make_unique<TProbe>(nullptr, "Form", nullptr, &deaths);
  auto* watcher = new TProbe(form.get(), "Watcher", nullptr, &deaths);
  auto* watched = new TProbe(form.get(), "Watched", nullptr, &deaths);
  new TProbe(form.get(), "Last", nullptr, &deaths);
  watched->FreeNotification(watcher);
  watcher->DieWith = watched;
  form.reset();
  // Watched is removed with a notification, so Watcher goes before it.
  EXPECT_EQ(deaths, (std::vector<String>{"Form", "Last", "Watcher", "Watched"}));
}

TEST(ComponentNotification, ComponentDestroyingItselfWhenASiblingIsDeleted) {
  TProbe form(nullptr, "Form");
  auto* watcher = new TProbe(&form, "Watcher");
  auto* watched = new TProbe(&form, "Watched");
  auto* other = new TProbe(&form, "Other");
  watched->FreeNotification(watcher);
  watcher->DieWith = watched;
  delete watched;
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), other);
}

// Siblings hear an insert or a removal only when they registered for the component: a large
// owner does not walk all its components for each one that comes or goes.
TEST(ComponentNotification, OnlyRegisteredComponentsOfTheOwnersTreeHearOfMoves) {
  std::vector<TEvent> log;
  TProbe form(nullptr, "Form", &log);
  TProbe other(nullptr, "Other", &log);
  auto* panel = new TProbe(&form, "Panel", &log);
  auto* inner = new TProbe(panel, "Inner", &log); // a component of a component of the form
  new TProbe(&form, "Bystander", &log);
  auto* outsider = new TProbe(&other, "Outsider", &log);
  auto* moved = new TProbe(&form, "Moved", &log);
  inner->SetReference(moved);
  outsider->SetReference(moved);
  log.clear();
  form.RemoveComponent(moved);
  other.InsertComponent(moved);
  EXPECT_EQ(log, (std::vector<TEvent>{{"Moved", "Moved", opRemove},
                                      {"Inner", "Moved", opRemove},
                                      {"Form", "Moved", opRemove},
                                      {"Moved", "Moved", opInsert},
                                      {"Outsider", "Moved", opInsert},
                                      {"Other", "Moved", opInsert}}));
  EXPECT_EQ(inner->Reference, nullptr);
  EXPECT_EQ(outsider->Reference, moved);
  log.clear();
  delete moved;
  EXPECT_EQ(outsider->Reference, nullptr);
  EXPECT_EQ(log,
            (std::vector<TEvent>{{"Outsider", "Moved", opRemove}, {"Other", "Moved", opRemove}}));
}

TEST(ComponentState, DesigningPassesToOwnedComponents) {
  TProbe form(nullptr, "Form");
  auto* a = new TProbe(&form, "A");
  form.SetDesigning(true);
  EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
  auto* b = new TProbe(&form, "B");
  EXPECT_TRUE(b->ComponentState().Contains(csDesigning));
  form.SetDesigning(false, false);
  EXPECT_FALSE(form.ComponentState().Contains(csDesigning));
  EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
}

TEST(ComponentClass, ClassReferenceCreatesOwnedComponents) {
  TProbe form(nullptr, "Form");
  const TComponentClass cls = TComponent::StaticClass();
  TComponent* c = cls->Create(&form);
  EXPECT_EQ(c->Owner(), &form);
  EXPECT_EQ(c->ClassName(), "TComponent");
  EXPECT_THROW(TPersistent::StaticClass()->Create(&form), EInvalidCast);
  EXPECT_EQ(form.GetNamePath(), "Form");
}
