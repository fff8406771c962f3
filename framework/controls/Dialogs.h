#pragma once

#include "framework/controls/Forms.h"

#include <vector>

LUM_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
LUM_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
         mbYesToAll, mbHelp);
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// A message box as it was shown.
struct TShownMessage {
  TMsgDlgType Type = mtInformation;
  String Caption;
  String Text;
  std::vector<String> Buttons; // captions, left to right
  String DefaultButton;
};

// Who hears of each message box as it opens (the scripted user records them).
std::function<void(const TShownMessage& Message, TForm* Dialog)>& OnMessageShown();

// The modal form MessageDlg shows: icon, text and a row of buttons.
TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// Shows it and answers the button's result (mrOk, mrYes …).
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// The text with an OK button, the application's title as caption.
void ShowMessage(const String& Msg);
// A message box as MessageBox shows it: MB_ flags in, an ID answer out.
int ShowMessageBox(const String& Text, const String& Caption, UINT Flags);
