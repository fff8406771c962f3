#include "framework/classes/Persistent.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

namespace {

class TPoint3 : public TPersistent {
  LUM_CLASS(TPoint3, TPersistent)
public:
  int X = 0;
  void Assign(TPersistent* Source) override {
    if (auto* p = dynamic_cast<TPoint3*>(Source)) {
      X = p->X;
      return;
    }
    inherited::Assign(Source);
  }
};

class TOther : public TPersistent {
  LUM_CLASS(TOther, TPersistent)
};

class TExporter : public TPersistent {
  LUM_CLASS(TExporter, TPersistent)
protected:
  void AssignTo(TPersistent* Dest) override {
    if (Dest->InheritsFrom(TPoint3::StaticClass())) {
      static_cast<TPoint3*>(Dest)->X = 42;
      return;
    }
    inherited::AssignTo(Dest);
  }
};

} // namespace

TEST(PersistentIdentity, ClassNamesParentsAndInheritance) {
  TPoint3 p;
  EXPECT_EQ(p.ClassName(), "TPoint3");
  EXPECT_EQ(p.ClassType(), TPoint3::StaticClass());
  EXPECT_EQ(p.ClassParent(), TPersistent::StaticClass());
  EXPECT_EQ(TPersistent::StaticClass()->ClassParent(), TObject::StaticClass());
  EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
  EXPECT_TRUE(p.InheritsFrom(TObject::StaticClass()));
  EXPECT_TRUE(p.InheritsFrom(TPoint3::StaticClass()));
  EXPECT_FALSE(p.InheritsFrom(TOther::StaticClass()));
  const TPersistent& asBase = p;
  EXPECT_EQ(asBase.ClassName(), "TPoint3");
}

TEST(PersistentIdentity, ClassReferenceCreatesInstances) {
  std::unique_ptr<TObject> o(TOther::StaticClass()->CreateInstance(nullptr));
  EXPECT_EQ(o->ClassName(), "TOther");
  EXPECT_THROW(TObject::StaticClass()->CreateInstance(nullptr), EComponentError);
}

TEST(PersistentAssign, SupportedPairsCopyEitherWay) {
  TPoint3 a, b;
  a.X = 7;
  b.Assign(&a);
  EXPECT_EQ(b.X, 7);
  TExporter e;
  b.Assign(&e);
  EXPECT_EQ(b.X, 42);
}

TEST(PersistentAssign, UnsupportedPairsNameBothClasses) {
  TPoint3 p;
  TOther o;
  ExpectError<EConvertError>([&] { p.Assign(&o); }, "Cannot assign a TOther to a TPoint3");
  ExpectError<EConvertError>([&] { o.Assign(&p); }, "Cannot assign a TPoint3 to a TOther");
  ExpectError<EConvertError>([&] { p.Assign(nullptr); }, "Cannot assign a nil to a TPoint3");
}

TEST(PersistentNamePath, WithoutOwnerItIsTheClassName) {
  TOther o;
  EXPECT_EQ(o.GetNamePath(), "TOther");
}
