#include "framework/classes/Persistent.h"

void TPersistent::Assign(TPersistent* Source) {
  if (!Source) AssignError(nullptr);
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  const String sourceName = Source ? Source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

void TPersistent::DefineProperties(TFiler*) {}

String TPersistent::GetNamePath() const {
  String result = ClassName();
  if (const TPersistent* owner = GetOwner()) {
    const String ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}
