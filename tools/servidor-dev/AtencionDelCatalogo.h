#pragma once
// What the development catalogue answers to each statement and call of the wizard, and the log of
// everything it received.

#include <mutex>
#include <string>

#include "Catalogo.h"
#include "Peticiones.h"
#include "tds/ServidorTds.h"

namespace evalora::servidor {

class AtencionDelCatalogo : public tds::Atencion {
 public:
  // `registro`: a file to which every statement and call is appended as one line (none when empty).
  AtencionDelCatalogo(Catalogo& catalogo, std::string registro);

  // The download server's address that replaces "${HTTP}" in the files' server paths.
  void FijarBaseHttp(std::string base);

  void Lote(const std::string& sql, tds::Escritor& respuesta) override;
  void Rpc(const tds::LlamadaRpc& llamada, tds::Escritor& respuesta) override;

 private:
  void Anotar(const std::string& linea);
  void Procedimiento(const LlamadaAProcedimiento& llamada, tds::Escritor& r);
  void Archivos(const std::string& condicion, const std::vector<std::string>& parametros, tds::Escritor& r,
                bool enProcedimiento);

  Catalogo& catalogo_;
  std::string registro_;
  std::string baseHttp_;
  std::mutex candado_;
};

}  // namespace evalora::servidor
