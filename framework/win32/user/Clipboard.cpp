#include "framework/win32/user/Clipboard.h"

#include "framework/win32/user/EditDefs.h"

#include <map>

namespace {

struct TClipboard {
  bool Open = false;
  HWND Opener = nullptr;
  std::map<UINT, String> Formats;
};

TClipboard& Board() {
  static TClipboard board;
  return board;
}

} // namespace

bool OpenClipboardFor(HWND owner) {
  TClipboard& b = Board();
  if (b.Open && b.Opener != owner) return false;
  b.Open = true;
  b.Opener = owner;
  return true;
}

bool CloseClipboardNow() {
  TClipboard& b = Board();
  if (!b.Open) return false;
  b.Open = false;
  b.Opener = nullptr;
  return true;
}

bool EmptyClipboardNow() {
  TClipboard& b = Board();
  if (!b.Open) return false;
  b.Formats.clear();
  return true;
}

bool PutClipboardData(UINT format, const String& data) {
  TClipboard& b = Board();
  if (!b.Open || format == 0) return false;
  b.Formats[format] = data;
  return true;
}

std::optional<String> ClipboardData(UINT format) {
  const TClipboard& b = Board();
  if (!b.Open) return std::nullopt;
  const auto it = b.Formats.find(format);
  if (it == b.Formats.end()) return std::nullopt;
  return it->second;
}

bool ClipboardHasFormat(UINT format) { return Board().Formats.count(format) != 0; }

void ResetClipboard() { Board() = TClipboard{}; }

bool CopyTextToClipboard(HWND owner, const String& text) {
  if (!OpenClipboardFor(owner)) return false;
  EmptyClipboardNow();
  PutClipboardData(CF_TEXT, text);
  return CloseClipboardNow();
}

std::optional<String> TextFromClipboard(HWND owner) {
  if (!OpenClipboardFor(owner)) return std::nullopt;
  std::optional<String> text = ClipboardData(CF_TEXT);
  CloseClipboardNow();
  return text;
}
