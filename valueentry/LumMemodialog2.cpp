#include "valueentry/LumMemodialog2.h"

#include "framework/classes/Registry.h"

namespace {

const bool MemoDialogRegistered = (RegisterClass<TMemoDialog>(), true);

} // namespace

TMemoDialog::TMemoDialog(TComponent* AOwner) : TLumEntryDialog(AOwner, "MemoDialog", 139) {
  Memo1 = new TMemo(this);
  PlaceFieldAndButtons(Memo1, "Memo1", 65, 104);
}
