#pragma once

#include "framework/controls/Edits.h"

// Asks the user for a text of several lines in a small modal window with a memo.
class TLumMemoDialog : public TComponent {
  LUM_CLASS(TLumMemoDialog, TComponent)
public:
  explicit TLumMemoDialog(TComponent* AOwner) : TComponent(AOwner) {}

  // Shows the window; Memotext takes the edited text whatever the answer. True for OK.
  bool Execute();

  LUM_PUBLISHED(String, Labeltext, FLabeltext, Field, NoDefault)
  LUM_PUBLISHED(String, Ueberschrift, FUeberschrift, Field, NoDefault)
  LUM_PUBLISHED(Word, MaxLength, FMaxLength, Field, Default(0))
  LUM_PUBLISHED(String, Memotext, FMemotext, Field, NoDefault)
  LUM_PUBLISHED(String, Oktext, FOktext, Field, NoDefault)
  LUM_PUBLISHED(String, Abbrechentext, FAbbrechentext, Field, NoDefault)
  LUM_PUBLISHED(TScrollStyle, ScrollBars, FScrollBars, Field, Default(ssNone))
  LUM_PUBLISHED(bool, WantTabs, FWantTabs, Field, Default(true))
  LUM_PUBLISHED(bool, WantReturns, FWantReturns, Field, Default(true))
  LUM_PUBLISHED(bool, WordWrap, FWordWrap, Field, Default(true))

private:
  String FLabeltext;
  String FUeberschrift;
  Word FMaxLength = 0;
  String FMemotext;
  String FOktext = "&Ok";
  String FAbbrechentext = "&Abbrechen";
  TScrollStyle FScrollBars = ssNone;
  bool FWantTabs = true;
  bool FWantReturns = true;
  bool FWordWrap = true;
};
