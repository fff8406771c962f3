#pragma once

#include "framework/win32/Windows.h"
#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/GdiHandles.h"

// Looking up what a handle names; null for handles that name nothing of that kind.
inline TDeviceContext* DcOf(HDC dc) { return TGdiHandles::Instance().FindDc(IdFromHandle(dc)); }

template <class T, class H> T* ObjectOf(H handle) {
  return TGdiHandles::Instance().FindAs<T>(IdFromHandle(handle));
}

template <class H> H AddObject(std::unique_ptr<TGdiObject> object) {
  return HandleFromId<H>(TGdiHandles::Instance().Add(std::move(object)));
}
