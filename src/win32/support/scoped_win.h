#pragma once

#include <windows.h>

#include <utility>

namespace horavia::win32 {

// Owners of the few kinds of Win32 handle the program holds, so that no
// handler ever closes or deletes one by hand.

// A kernel handle: files, mappings. CreateFile reports failure with
// INVALID_HANDLE_VALUE, most others with null; both mean "nothing held".
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE h) : h_(h) {}
  ScopedHandle(ScopedHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.h_, nullptr));
    return *this;
  }
  ~ScopedHandle() { Reset(); }

  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  void Reset(HANDLE h = nullptr) {
    if (Valid()) ::CloseHandle(h_);
    h_ = h;
  }

 private:
  HANDLE h_ = nullptr;
};

// A global atom this process added; deleted once.
class ScopedAtom {
 public:
  explicit ScopedAtom(ATOM atom) : atom_(atom) {}
  ScopedAtom(ScopedAtom&& other) noexcept : atom_(std::exchange(other.atom_, ATOM{0})) {}
  ScopedAtom& operator=(ScopedAtom&& other) noexcept {
    if (this != &other) {
      Release();
      atom_ = std::exchange(other.atom_, ATOM{0});
    }
    return *this;
  }
  ~ScopedAtom() { Release(); }
  ATOM Get() const { return atom_; }

 private:
  void Release() {
    if (atom_ != 0) ::GlobalDeleteAtom(atom_);
    atom_ = 0;
  }
  ATOM atom_;
};

// A mapped view of a file mapping; unmapped once.
class ScopedView {
 public:
  explicit ScopedView(void* view) : view_(view) {}
  ScopedView(ScopedView&& other) noexcept : view_(std::exchange(other.view_, nullptr)) {}
  ScopedView& operator=(ScopedView&& other) noexcept {
    if (this != &other) {
      Release();
      view_ = std::exchange(other.view_, nullptr);
    }
    return *this;
  }
  ~ScopedView() { Release(); }
  void* Get() const { return view_; }

 private:
  void Release() {
    if (view_ != nullptr) ::UnmapViewOfFile(view_);
    view_ = nullptr;
  }
  void* view_;
};


// A GDI object the program created: a font, a brush, a bitmap.
template <typename T>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) : object_(object) {}
  ScopedGdiObject(ScopedGdiObject&& other) noexcept
      : object_(std::exchange(other.object_, nullptr)) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.object_, nullptr));
    return *this;
  }
  ~ScopedGdiObject() { Reset(); }

  T Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void Reset(T object = nullptr) {
    if (object_ != nullptr) ::DeleteObject(object_);
    object_ = object;
  }

 private:
  T object_ = nullptr;
};

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// A window's (or, with null, the screen's) DC from GetDC, released again.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC compatible with another one; deleted with DeleteDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_ != nullptr) ::DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a DC for one scope and puts the previous one back,
// so that the object can be deleted afterwards.
class SelectInDc {
 public:
  SelectInDc(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectInDc(const SelectInDc&) = delete;
  SelectInDc& operator=(const SelectInDc&) = delete;
  ~SelectInDc() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace horavia::win32
