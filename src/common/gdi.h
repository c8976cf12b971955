#pragma once
#include <windows.h>

// Owners of exactly one GDI resource each; copies deleted so nothing is released twice.

template <typename T> class GdiObject {
  public:
    explicit GdiObject(T object) : object_(object) {}
    ~GdiObject() {
        if (object_) DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    T get() const { return object_; }

  private:
    T object_;
};

// Declare the owner of an object before its selection, so the old object is back before it is deleted.
class SelectionScope {
  public:
    SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectionScope() { SelectObject(dc_, previous_); }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

class RasterOpScope {
  public:
    RasterOpScope(HDC dc, int rop) : dc_(dc), previous_(SetROP2(dc, rop)) {}
    ~RasterOpScope() { SetROP2(dc_, previous_); }
    RasterOpScope(const RasterOpScope&) = delete;
    RasterOpScope& operator=(const RasterOpScope&) = delete;

  private:
    HDC dc_;
    int previous_;
};

class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps)) {}
    ~PaintDC() { EndPaint(hwnd_, &ps); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    PAINTSTRUCT ps{};

  private:
    HWND hwnd_;
    HDC dc_;
};

class MemoryDC {
  public:
    MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};
