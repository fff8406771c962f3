#pragma once

#include "framework/controls/Edits.h"

// Asks the user for one line of text in a small modal window with a masked edit.
class TLumZeilenDialog : public TComponent {
  LUM_CLASS(TLumZeilenDialog, TComponent)
public:
  explicit TLumZeilenDialog(TComponent* AOwner) : TComponent(AOwner) {}

  // Shows the window; Zeilentext takes the edited line whatever the answer. True for OK.
  bool Execute();

  LUM_PUBLISHED(String, Editmask, FEditmask, Field, NoDefault)
  LUM_PUBLISHED(char, PasswordChar, FPasswordChar, Field, Default('\0'))
  LUM_PUBLISHED(String, Labeltext, FLabeltext, Field, NoDefault)
  LUM_PUBLISHED(String, Ueberschrift, FUeberschrift, Field, NoDefault)
  LUM_PUBLISHED(Word, Zeilenlaenge, FZeilenlaenge, Field, Default(0))
  LUM_PUBLISHED(String, Zeilentext, FZeilentext, Field, NoDefault)
  LUM_PUBLISHED(String, Oktext, FOktext, Field, NoDefault)
  LUM_PUBLISHED(String, Abbrechentext, FAbbrechentext, Field, NoDefault)
  LUM_PUBLISHED(TEditCharCase, CharCase, FCharCase, Field, Default(ecNormal))
  LUM_PUBLISHED(bool, KommazuPunkt, FKommazuPunkt, Field, Default(true))

private:
  String FEditmask;
  char FPasswordChar = '\0';
  String FLabeltext;
  String FUeberschrift;
  Word FZeilenlaenge = 0;
  String FZeilentext;
  String FOktext = "##&Ok";
  String FAbbrechentext = "##&Abbrechen";
  TEditCharCase FCharCase = ecNormal;
  bool FKommazuPunkt = true;
};
