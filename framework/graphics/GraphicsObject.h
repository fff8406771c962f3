#pragma once

#include "framework/classes/Object.h"
#include "framework/classes/Persistent.h"
#include "framework/rtl/Exceptions.h"

// A graphics handle or picture that cannot be used; an operation the object's state forbids.
LUM_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
LUM_DECLARE_EXCEPTION(EInvalidOperation, Exception);

// Base of fonts, pens and brushes: a persistent drawing tool that tells OnChange after
// each change, so that a canvas using it selects it anew.
class TGraphicsObject : public TPersistent {
  LUM_CLASS(TGraphicsObject, TPersistent)
public:
  TGraphicsObject() = default;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  virtual void Changed();

private:
  TNotifyEvent FOnChange;
};
