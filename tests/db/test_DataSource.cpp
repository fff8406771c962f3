#include "DbTestSupport.h"

#include "framework/db/DataSource.h"

namespace {

class DataSourceTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    const String data = MakeDir("data");
    CreateItems(data);
    Items = new TTable(&Owner);
    SetTable(*Items, data, "Items");
    Source = new TDataSource(&Owner);
    Source->SetDataSet(Items);
    Link.SetDataSource(Source);
    Link.SetFieldName("Name");
    Link.OnDataChange = [this](TObject*) { ++DataChanges; };
    Link.OnEditingChange = [this](TObject*) { ++EditingChanges; };
    Link.OnUpdateData = [this](TObject*) { Link.Field()->SetAsString(Typed); };
  }
  void TearDown() override {
    Link.SetDataSource(nullptr);
    Owner.DestroyComponents();
    DbTest::TearDown();
  }
  TComponent Owner{nullptr};
  TTable* Items = nullptr;
  TDataSource* Source = nullptr;
  TFieldDataLink Link;
  int DataChanges = 0;
  int EditingChanges = 0;
  String Typed;
};

using DataLinks = DataSourceTest;

TEST_F(DataLinks, LinkFollowsOpenCloseAndState) {
  std::vector<TDataSetState> states;
  Source->SetOnStateChange([&](TObject*) { states.push_back(Source->State()); });
  EXPECT_FALSE(Link.Active());
  EXPECT_EQ(Link.Field(), nullptr);
  Items->Open();
  EXPECT_TRUE(Link.Active());
  ASSERT_NE(Link.Field(), nullptr);
  EXPECT_EQ(Link.Field()->FieldName(), "Name");
  Items->Insert();
  EXPECT_TRUE(Link.Editing());
  Items->Cancel();
  EXPECT_FALSE(Link.Editing());
  EXPECT_EQ(EditingChanges, 2);
  Items->Close();
  EXPECT_EQ(Link.Field(), nullptr);
  EXPECT_EQ(states, (std::vector<TDataSetState>{dsBrowse, dsInsert, dsBrowse, dsInactive}));
  Source->SetEnabled(false);
  Items->Open();
  EXPECT_FALSE(Link.Active());
  EXPECT_EQ(Source->State(), dsInactive);
}

TEST_F(DataLinks, ControlChangesReachTheRecordOnPost) {
  Items->Open();
  AddItems(*Items, {"before"});
  EXPECT_TRUE(Link.Edit()); // AutoEdit puts the data set into edit mode
  EXPECT_EQ(Items->State(), dsEdit);
  Typed = "typed";
  Link.Modified();
  Items->Post();
  EXPECT_EQ(Items->FieldByName("Name")->AsString(), "typed");
  // Without a change marked, nothing is written.
  Link.Edit();
  Typed = "ignored";
  Items->Post();
  EXPECT_EQ(Items->FieldByName("Name")->AsString(), "typed");
  Source->SetAutoEdit(false);
  EXPECT_FALSE(Link.Edit());
}

TEST_F(DataLinks, DisabledControlsHearOneChangeWhenEnabledAgain) {
  Items->Open();
  AddItems(*Items, {"a", "b", "c"});
  int sourceChanges = 0;
  Source->SetOnDataChange([&](TObject*, TField*) { ++sourceChanges; });
  DataChanges = 0;
  Items->First();
  Items->Next();
  EXPECT_EQ(DataChanges, 2);
  Items->DisableControls();
  for (Items->First(); !Items->Eof(); Items->Next()) {
  }
  EXPECT_EQ(DataChanges, 2);
  Items->EnableControls();
  EXPECT_EQ(DataChanges, 3);
  EXPECT_EQ(sourceChanges, 3);
}

TEST_F(DataLinks, SourceDropsADestroyedDataSet) {
  Items->Open();
  delete Items;
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_FALSE(Link.Active());
  EXPECT_EQ(Link.Field(), nullptr);
  delete Source;
  EXPECT_EQ(Link.DataSource(), nullptr);
}

} // namespace
