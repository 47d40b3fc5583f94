#pragma once
// Files and folders of Windows, by their own paths. A 32-bit program on a 64-bit Windows finds its
// system folder in SysWOW64 when it names System32; the wizard installs 32-bit libraries, so its
// paths below <windir>\System32 lead there too wherever Windows would lead a 32-bit program.

#include "platform/SistemaDeArchivos.h"

namespace evalora {

class SistemaDeArchivosWin : public SistemaDeArchivos {
 public:
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
  long UltimoError() const override { return ultimoError_; }

 private:
  bool Fallo();
  long ultimoError_ = 0;
};

// The path a 32-bit program reaches when it names `ruta`: below `windir`\System32 (except the
// folders Windows shares between both kinds of program) it is `windir`\SysWOW64 when that exists.
std::string RutaDe32Bits(const std::string& ruta, const std::string& windir, bool haySysWow64);
// Where the wizard's path leads on this machine, as Windows leads a 32-bit program.
std::string RutaQueAlcanza(const std::string& ruta);

}  // namespace evalora
