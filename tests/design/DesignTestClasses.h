#pragma once

// Components with one published property of every kind the editors handle, and a designer
// that records what the editors tell it.

#include "framework/classes/StringList.h"
#include "framework/design/DesignIntf.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

#include <memory>

namespace designtest {

LUM_ENUM(TGadgetShape, gsRound, gsSquare, gsStar);
LUM_ENUM(TGadgetPart, gpHandle, gpLid, gpSpout);
using TGadgetParts = TSet<TGadgetPart>;

class TGadget : public TComponent {
  LUM_CLASS(TGadget, TComponent)
public:
  explicit TGadget(TComponent* AOwner)
      : TComponent(AOwner), FFont(std::make_unique<TFont>()),
        FNotes(std::make_unique<TStringList>()) {}
  LUM_PUBLISHED(Integer, Count, FCount, Field, Default(0))
  LUM_PUBLISHED(Byte, Level, FLevel, Field, Default(Byte{0}))
  LUM_PUBLISHED(char, Mark, FMark, Field, Default('x'))
  LUM_PUBLISHED(TGadgetShape, Shape, FShape, Field, Default(gsRound))
  LUM_PUBLISHED(TGadgetParts, Parts, FParts, Field, Default(TGadgetParts{}))
  LUM_PUBLISHED(double, Ratio, FRatio, Field, NoDefault)
  LUM_PUBLISHED(String, Title, FTitle, Field, NoDefault)
  LUM_PUBLISHED(TColor, Shade, FShade, Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(TFont*, Font, FFont, Field, NoDefault)
  LUM_PUBLISHED(TStrings*, Notes, FNotes, Field, NoDefault)
  LUM_PUBLISHED(TGadget*, Buddy, FBuddy, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, Field, NoDefault)

private:
  Integer FCount = 0;
  Byte FLevel = 0;
  char FMark = 'x';
  TGadgetShape FShape = gsRound;
  TGadgetParts FParts;
  double FRatio = 0.5;
  String FTitle;
  TColor FShade = clBlack;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TStringList> FNotes;
  TGadget* FBuddy = nullptr;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnClick;
};

class TGadgetChild : public TGadget {
  LUM_CLASS(TGadgetChild, TGadget)
public:
  using TGadget::TGadget;
};

class TGadgetGrandChild : public TGadgetChild {
  LUM_CLASS(TGadgetGrandChild, TGadgetChild)
public:
  using TGadgetChild::TGadgetChild;
};

// The root of the designed tree, with handlers its gadgets' events can name.
class TGadgetBox : public TComponent {
  LUM_CLASS(TGadgetBox, TComponent)
public:
  using TComponent::TComponent;
  void Gadget1Click(TObject*) { ++Clicks; }
  void Gadget1Change(TObject*) {}
  void SomeChange(TObject*) {}
  int Clicks = 0;
  LUM_PUBLISHED_METHOD(Gadget1Click)
  LUM_PUBLISHED_METHOD(Gadget1Change)
  LUM_PUBLISHED_METHOD(SomeChange)
};

class TRecordingDesigner : public IDesigner {
public:
  explicit TRecordingDesigner(TComponent* ARoot) : Root(ARoot) {}
  TComponent* GetRoot() override { return Root; }
  void Modified() override { ++Modifications; }
  void ShowMethod(const String& Name) override { Shown = Name; }
  TComponent* Root;
  int Modifications = 0;
  String Shown;
};

LUM_PROPERTY_CATEGORY(TGadgetCategory, "Gadgets", "What gadgets have");

} // namespace designtest
