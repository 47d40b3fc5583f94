#pragma once
// A WinINet handle, closed when it goes out of scope by the thread that holds it.

#include <windows.h>
#include <wininet.h>

namespace evalora::win32 {

struct ManejadorDeInternet {
  explicit ManejadorDeInternet(HINTERNET manejador) : h(manejador) {}
  ManejadorDeInternet(const ManejadorDeInternet&) = delete;
  ManejadorDeInternet& operator=(const ManejadorDeInternet&) = delete;
  ~ManejadorDeInternet() {
    if (h) InternetCloseHandle(h);
  }
  HINTERNET h;
};

}  // namespace evalora::win32
