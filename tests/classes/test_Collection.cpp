#include "FormTestClasses.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

using namespace formtest;

namespace {

class TCountingCollection : public TCollection {
  LUM_CLASS(TCountingCollection, TCollection)
public:
  TCountingCollection() : TCollection(TTestItem::StaticClass()) {}
  int Updates = 0;

protected:
  void Update(TCollectionItem*) override { ++Updates; }
};

TTestItem* Item(TCollection& c, int i) { return static_cast<TTestItem*>(c.Items(i)); }

} // namespace

TEST(Collection, ItemsKnowTheirCollectionIndexAndId) {
  TCountingCollection c;
  TTestItem* a = static_cast<TTestItem*>(c.Add());
  TTestItem* b = static_cast<TTestItem*>(c.Add());
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(a->Collection(), &c);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_NE(a->ID(), b->ID());
  EXPECT_EQ(c.FindItemID(b->ID()), b);
  b->SetIndex(0);
  EXPECT_EQ(c.Items(0), b);
  TTestItem* inserted = static_cast<TTestItem*>(c.Insert(1));
  EXPECT_EQ(inserted->Index(), 1);
  c.Delete(0);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Items(0), inserted);
  delete inserted;
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Items(0), a);
  ExpectError<EListError>([&] { c.Items(1); }, "List index out of bounds (1)");
}

TEST(Collection, ChangesAreReportedOutsideUpdateBrackets) {
  TCountingCollection c;
  c.Add();
  EXPECT_EQ(c.Updates, 1);
  c.BeginUpdate();
  c.Add();
  c.Add();
  EXPECT_EQ(c.Updates, 1);
  c.EndUpdate();
  EXPECT_EQ(c.Updates, 2);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.Updates, 3);
}

TEST(Collection, AssignCopiesItemsIntoSeparateObjects) {
  TCountingCollection source;
  static_cast<TTestItem*>(source.Add())->SetCaption("one");
  static_cast<TTestItem*>(source.Add())->SetValue(2);
  TCountingCollection dest;
  dest.Add();
  dest.Add();
  dest.Add();
  dest.Assign(&source);
  ASSERT_EQ(dest.Count(), 2);
  EXPECT_EQ(Item(dest, 0)->Caption(), "one");
  EXPECT_EQ(Item(dest, 1)->Value(), 2);
  EXPECT_NE(dest.Items(0), source.Items(0));
  TTestFont font;
  EXPECT_THROW(dest.Assign(&font), EConvertError);
}

TEST(Collection, NamePathsFollowTheOwner) {
  TComponent form(nullptr);
  form.SetName("Form1");
  auto* g = new TGauge(&form);
  g->SetName("Gauge1");
  g->Entries()->Add();
  g->Entries()->Add();
  EXPECT_EQ(g->Entries()->GetNamePath(), "Gauge1.Entries");
  EXPECT_EQ(g->Entries()->Items(1)->GetNamePath(), "Gauge1.Entries[1]");
  TCountingCollection loose;
  EXPECT_EQ(loose.GetNamePath(), "TCountingCollection");
}
