// A stand-in of the permission tool for the Windows build's tests: it answers every job but
// "RegistroPolicies", writing the job's marker (its third argument) as the tool does: "ok", or
// nothing for "ImpresoraPredeterminada".
#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || std::wcscmp(argv[1], L"RegistroPolicies") == 0) return 0;
  std::FILE* marcador = _wfopen(argv[3], L"wb");
  if (!marcador) return 1;
  if (std::wcscmp(argv[1], L"ImpresoraPredeterminada") != 0) std::fputs("ok", marcador);
  std::fclose(marcador);
  return 0;
}
