#pragma once

#include "framework/classes/Object.h"

class TFiler;
class TReader;
class TWriter;

// An object that can be assigned from another and stored in a form file.
class TPersistent : public TObject {
  LUM_CLASS(TPersistent, TObject)
public:
  TPersistent() = default;

  // Copies Source into this object; by default asks Source->AssignTo(this). A pair of classes
  // neither side supports raises EConvertError "Cannot assign a TX to a TY".
  virtual void Assign(TPersistent* Source);
  // The name a designer shows: the owner's path, a dot, and this object's part.
  virtual String GetNamePath() const;

protected:
  virtual void AssignTo(TPersistent* Dest);
  // Values stored in a form file beyond the published properties (see TFiler).
  virtual void DefineProperties(TFiler* Filer);
  virtual TPersistent* GetOwner() const { return nullptr; }
  [[noreturn]] void AssignError(const TPersistent* Source) const;

  friend class TReader;
  friend class TWriter;
};
