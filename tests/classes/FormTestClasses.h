#pragma once

// Component classes for the form-file tests: one property line of every kind.

#include "framework/classes/Collection.h"
#include "framework/classes/Filer.h"
#include "framework/classes/Registry.h"

#include <memory>
#include <vector>

namespace formtest {

LUM_ENUM(TZeigerform, zfNadel, zfDreieck, zfBalken);
LUM_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle>;

class TTestFont : public TPersistent {
  LUM_CLASS(TTestFont, TPersistent)
public:
  TTestFont() = default;
  LUM_PUBLISHED(String, Name, FName, Field, NoDefault)
  LUM_PUBLISHED(Integer, Height, FHeight, Field, Default(-11))
  LUM_PUBLISHED(TFontStyles, Style, FStyle, Field, Default(TFontStyles{}))

  void Assign(TPersistent* Source) override {
    if (Source && Source->InheritsFrom(StaticClass())) {
      auto* f = static_cast<TTestFont*>(Source);
      FName = f->FName, FHeight = f->FHeight, FStyle = f->FStyle;
      return;
    }
    inherited::Assign(Source);
  }

private:
  String FName;
  Integer FHeight = -11;
  TFontStyles FStyle;
};

// A string list stand-in: its texts are a defined property "Strings".
class TTestLines : public TPersistent {
  LUM_CLASS(TTestLines, TPersistent)
public:
  TTestLines() = default;
  LUM_PUBLISHED(bool, Sorted, FSorted, Field, NoDefault)
  std::vector<String> Lines;

  void Assign(TPersistent* Source) override {
    if (Source && Source->InheritsFrom(StaticClass())) {
      Lines = static_cast<TTestLines*>(Source)->Lines;
      FSorted = static_cast<TTestLines*>(Source)->FSorted;
      return;
    }
    inherited::Assign(Source);
  }

protected:
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Strings",
        [this](TReader* r) {
          Lines.clear();
          r->ReadListBegin();
          while (!r->EndOfList()) Lines.push_back(r->ReadString());
          r->ReadListEnd();
        },
        [this](TWriter* w) {
          w->WriteListBegin();
          for (const String& s : Lines) w->WriteString(s);
          w->WriteListEnd();
        },
        !Lines.empty());
  }

private:
  bool FSorted = false;
};

class TTestItem : public TCollectionItem {
  LUM_CLASS(TTestItem, TCollectionItem)
public:
  explicit TTestItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  LUM_PUBLISHED(String, Caption, FCaption, Field, NoDefault)
  LUM_PUBLISHED(Integer, Value, FValue, Field, Default(0))

  void Assign(TPersistent* Source) override {
    if (Source && Source->InheritsFrom(StaticClass())) {
      FCaption = static_cast<TTestItem*>(Source)->FCaption;
      FValue = static_cast<TTestItem*>(Source)->FValue;
      return;
    }
    inherited::Assign(Source);
  }

private:
  String FCaption;
  Integer FValue = 0;
};

inline constexpr TIdentMapEntry ColorIdentEntries[] = {
    {0x0000FF, "clRed"}, {0xFFFFFF, "clWhite"}, {-2147483633, "clBtnFace"}};
inline constexpr TIdentMap ColorIdents{ColorIdentEntries};

class TGauge : public TComponent {
  LUM_CLASS(TGauge, TComponent)
public:
  explicit TGauge(TComponent* AOwner)
      : TComponent(AOwner), LoadingInConstructor(ComponentState().Contains(csLoading)),
        FFont(std::make_unique<TTestFont>()), FItems(std::make_unique<TTestLines>()),
        FEntries(std::make_unique<TOwnedCollection>(this, TTestItem::StaticClass())) {
    FEntries->SetPropName("Entries");
  }
  ~TGauge() override { SetPartner(nullptr); }

  LUM_PUBLISHED(Integer, Interval, FIntervall, SetIntervall, Default(10))
  LUM_PUBLISHED(Byte, Level, FLevel, Field, Default(0))
  LUM_PUBLISHED(bool, Active, FActive, Field, Default(false))
  LUM_PUBLISHED(TZeigerform, Zeigerform, FZeigerform, Field, Default(zfNadel))
  LUM_PUBLISHED(TFontStyles, Options, FOptions, Field, Default(TFontStyles{}))
  LUM_PUBLISHED(double, Factor, FFactor, Field, NoDefault)
  LUM_PUBLISHED(String, Caption, FCaption, Field, NoDefault)
  LUM_PUBLISHED(char, Marker, FMarker, Field, Default('x'))
  LUM_PUBLISHED(Int64, Big, FBig, Field, Default(0))
  LUM_PUBLISHED(Cardinal, Mask, FMask, Field, Default(0))
  LUM_PUBLISHED(String, Hint, FHint, Field, NoDefault, Stored(HintStored))
  LUM_PUBLISHED(TTestFont*, Font, FFont, Field, NoDefault)
  LUM_PUBLISHED(TTestLines*, Items, FItems, Field, NoDefault)
  LUM_PUBLISHED(TCollection*, Entries, FEntries, Field, NoDefault)
  LUM_PUBLISHED(TGauge*, Partner, FPartner, SetPartner, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(Integer, Color, FColor, Field, Default(0), Idents(ColorIdents))

  void SetPartner(TGauge* Value) {
    if (FPartner == Value) return;
    if (FPartner) FPartner->RemoveFreeNotification(this);
    FPartner = Value;
    if (FPartner) FPartner->FreeNotification(this);
  }
  bool HintStored() const { return FHint != "-"; }

  std::vector<std::uint8_t> Data;
  bool LoadingInConstructor;
  int IntervalSets = 0;
  int LoadedCalls = 0;
  bool LoadingDuringLoaded = false;
  bool PartnerSetAtLoaded = false;

protected:
  void DefineProperties(TFiler* Filer) override {
    inherited::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream* s) {
          Data.resize(static_cast<std::size_t>(s->Size()));
          s->ReadBuffer(Data.data(), s->Size());
        },
        [this](TStream* s) { s->WriteBuffer(Data.data(), static_cast<Int64>(Data.size())); },
        !Data.empty());
  }
  void Loaded() override {
    LoadingDuringLoaded = ComponentState().Contains(csLoading);
    PartnerSetAtLoaded = FPartner != nullptr;
    ++LoadedCalls;
    inherited::Loaded();
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPartner) FPartner = nullptr;
  }

private:
  void SetIntervall(Integer AValue) {
    ++IntervalSets;
    FIntervall = AValue;
  }
  Integer FIntervall = 10;
  Byte FLevel = 0;
  bool FActive = false;
  TZeigerform FZeigerform = zfNadel;
  TFontStyles FOptions;
  double FFactor = 0;
  String FCaption;
  char FMarker = 'x';
  Int64 FBig = 0;
  Cardinal FMask = 0;
  String FHint;
  std::unique_ptr<TTestFont> FFont;
  std::unique_ptr<TTestLines> FItems;
  std::unique_ptr<TOwnedCollection> FEntries;
  TGauge* FPartner = nullptr;
  TNotifyEvent FOnChange;
  Integer FColor = 0;
};

class TTestForm : public TComponent {
  LUM_CLASS(TTestForm, TComponent)
public:
  explicit TTestForm(TComponent* AOwner) : TComponent(AOwner) {}
  LUM_PUBLISHED(String, Caption, FCaption, Field, NoDefault)

  void GaugeChange(TObject*) { ++Changes; }
  void Other(TObject*, int) {}
  LUM_PUBLISHED_METHOD(GaugeChange)
  LUM_PUBLISHED_METHOD(Other)
  int Changes = 0;

private:
  String FCaption;
};

inline void RegisterTestClasses() { RegisterClass<TGauge, TTestForm>(); }

} // namespace formtest
