#pragma once

#include "framework/controls/GraphicControl.h"

// Published blocks the displays redeclare unchanged, in the framework's order.
#define LUM_PUBLISHED_HINT_POPUP_VISIBLE_CLICKS                                                    \
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true)) \
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)             \
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,                       \
                Stored(IsShowHintStored))                                                          \
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))                      \
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)                  \
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
#define LUM_PUBLISHED_MOUSE_EVENTS                                                                 \
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)       \
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)   \
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)
