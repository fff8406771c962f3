#include "framework/graphics/GraphicsObject.h"

void TGraphicsObject::Changed() {
  if (FOnChange) FOnChange(this);
}
