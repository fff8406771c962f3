#pragma once

#include "framework/win32/gdi/GdiObjects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

class TDeviceContext;

// A handle's value: never 0 for a live object, never reused, and above the range that
// (HBRUSH)(COLOR_x + 1) takes.
using THandleId = std::uintptr_t;

// Owns every drawing object and device context behind a handle. A handle that is unknown
// (deleted, never made, or of another kind) simply finds nothing. What a program forgets to
// delete is freed with the table at exit. The engine runs on the user-interface thread only.
class TGdiHandles {
public:
  static TGdiHandles& Instance();
  ~TGdiHandles();

  THandleId Add(std::unique_ptr<TGdiObject> object);
  TGdiObject* Find(THandleId id) const;
  template <class T> T* FindAs(THandleId id) const { return dynamic_cast<T*>(Find(id)); }
  // Deletes an object; false for unknown, stock or selected ones.
  bool Delete(THandleId id);

  THandleId AddDc(std::unique_ptr<TDeviceContext> dc);
  TDeviceContext* FindDc(THandleId id) const;
  bool DeleteDc(THandleId id);

  // Stock objects by their GetStockObject index; 0 for indices not provided.
  THandleId Stock(int index);
  // Lets other parts of the engine (fonts) provide stock objects of their own.
  void RegisterStock(int index, std::unique_ptr<TGdiObject> object);
  // The font a new device context starts with: 0 until the font engine provides one.
  THandleId DefaultFont() const { return defaultFont_; }
  void SetDefaultFont(THandleId id) { defaultFont_ = id; }
  // The 1 x 1 monochrome bitmap a new memory DC starts with.
  THandleId DefaultBitmap();

  // Whether some device context has the object selected, now or in a saved state.
  bool IsSelected(THandleId id) const;

private:
  TGdiHandles();
  THandleId NextId();
  void CreateStockObjects();

  std::unordered_map<THandleId, std::unique_ptr<TGdiObject>> objects_;
  std::unordered_map<THandleId, std::unique_ptr<TDeviceContext>> dcs_;
  std::unordered_map<int, THandleId> stock_;
  THandleId next_ = 0x10000;
  THandleId defaultFont_ = 0;
  THandleId defaultBitmap_ = 0;
};
