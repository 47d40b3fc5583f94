#pragma once
// COM for the Win32 services that use shell and WMI objects.

#include <objbase.h>

namespace evalora::win32 {

// COM for this thread while an object is used (the program's window thread has it already:
// ComDelPrograma); undone only when this scope set it up.
class ComDelHilo {
 public:
  ComDelHilo() : propio_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComDelHilo() {
    if (propio_) CoUninitialize();
  }
  ComDelHilo(const ComDelHilo&) = delete;
  ComDelHilo& operator=(const ComDelHilo&) = delete;

 private:
  bool propio_;
};

// An interface pointer released when it goes out of scope.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace evalora::win32
