#pragma once
// Files and folders of Windows, by their own paths. A 32-bit program on a 64-bit Windows finds its
// system folder in SysWOW64 when it names System32; the wizard installs 32-bit libraries, so its
// paths below <windir>\System32 lead there too wherever Windows would lead a 32-bit program.
// Every absolute path goes to Windows in its \\?\ form, so a folder deeper than MAX_PATH (the
// one the user picked, plus the catalogue's relative path) works as any other. A file that another
// program holds for a moment (an antivirus opens each new file) is tried again, on the run's
// clock, for at most two seconds.

#include "platform/Reloj.h"
#include "platform/SistemaDeArchivos.h"
#include "platform/windows/RelojWin.h"

namespace evalora {

class SistemaDeArchivosWin : public SistemaDeArchivos {
 public:
  SistemaDeArchivosWin() : reloj_(propio_) {}
  explicit SistemaDeArchivosWin(Reloj& reloj) : reloj_(reloj) {}

  std::optional<std::filesystem::path> RutaAnfitrion(const std::string& ruta) const override;
  bool ExisteArchivo(const std::string& ruta) const override;
  bool ExisteCarpeta(const std::string& ruta) const override;
  bool CrearCarpeta(const std::string& ruta) override;
  bool CopiarArchivo(const std::string& origen, const std::string& destino, bool sobrescribir) override;
  bool BorrarArchivo(const std::string& ruta, bool forzar) override;
  bool BorrarCarpeta(const std::string& ruta, bool forzar) override;
  bool Renombrar(const std::string& origen, const std::string& destino, bool reemplazar) override;
  std::vector<std::string> ListarArchivos(const std::string& carpeta) const override;
  std::vector<std::string> ListarSubcarpetas(const std::string& carpeta) const override;
  std::optional<int64_t> Tamano(const std::string& ruta) const override;
  std::optional<uint32_t> LeerAtributos(const std::string& ruta) const override;
  bool EstablecerAtributos(const std::string& ruta, uint32_t atributos) override;
  std::optional<std::string> CrearArchivoTemporal(const std::string& carpeta) override;
  std::unique_ptr<EscrituraDeArchivo> AbrirParaEscribir(const std::string& ruta) override;
  std::unique_ptr<EscrituraDeArchivo> AbrirParaContinuar(const std::string& ruta, int64_t desde) override;
  std::optional<std::string> LeerArchivo(const std::string& ruta, size_t maximo) const override;
  bool ArchivoLibre(const std::string& ruta) const override;
  long UltimoError() const override { return ultimoError_; }

 private:
  bool Fallo();
  // Runs a call until it succeeds or fails for another reason than a hold by another program.
  template <typename Llamada>
  bool Reintentando(Llamada llamada);

  RelojWin propio_;
  Reloj& reloj_;
  long ultimoError_ = 0;
};

// The form in which a path goes to Windows: an absolute one ("C:\…", "\\servidor\recurso\…")
// as \\?\C:\… or \\?\UNC\servidor\recurso\…, with its "." and ".." resolved and its slashes
// turned into backslashes, as Windows itself would before MAX_PATH applied; any other unchanged.
std::wstring FormaExtendida(const std::wstring& ruta);
// Whether a Windows error is another program's hold on a file (sharing, lock, or the access an
// antivirus denies while it reads a new file).
bool EsRetencion(unsigned long error);

// The path a 32-bit program reaches when it names `ruta`: below `windir`\System32 (except the
// folders Windows shares between both kinds of program) it is `windir`\SysWOW64 when that exists.
std::string RutaDe32Bits(const std::string& ruta, const std::string& windir, bool haySysWow64);
// Where the wizard's path leads on this machine, as Windows leads a 32-bit program.
std::string RutaQueAlcanza(const std::string& ruta);

}  // namespace evalora
