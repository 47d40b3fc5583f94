// Stands in for the registration tool where a test needs one that is slow: it takes two seconds,
// then writes its last argument (UTF-8) into "<its own path>.hecho".
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  Sleep(2000);
  std::wstring hecho = std::wstring(argv[0]) + L".hecho";
  const HANDLE h = CreateFileW(hecho.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  char texto[1024] = "";
  const int largo = WideCharToMultiByte(CP_UTF8, 0, argv[argc - 1], -1, texto, sizeof texto, nullptr, nullptr);
  DWORD escrito = 0;
  if (largo > 1) WriteFile(h, texto, static_cast<DWORD>(largo - 1), &escrito, nullptr);
  CloseHandle(h);
  return 0;
}
