#pragma once
// One connection through the machine's ODBC driver manager (unixODBC on Linux, odbc32 on Windows),
// with the wide calls (text is UTF-8 here, UTF-16 to the driver). Every value is read as text;
// NULL is nothing. Failures are reported through the results, never raised.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace evalora {

// One row: every column by its name, with its value.
using FilaOdbc = std::vector<std::pair<std::string, std::optional<std::string>>>;
// A parameter bound to a '?' of a statement: a text, or a bit.
using ParametroOdbc = std::variant<std::string, bool>;

// The drivers the driver manager lists, in its order.
std::vector<std::string> DriversInstalados();

class ConexionOdbc {
 public:
  ConexionOdbc();
  ~ConexionOdbc();
  ConexionOdbc(const ConexionOdbc&) = delete;
  ConexionOdbc& operator=(const ConexionOdbc&) = delete;

  // Connects with the connection text, closing any connection first. The login may take
  // `esperaDeLogin` seconds; each statement is given `esperaDeSentencia` seconds by the driver
  // (0: the driver's own rule, for a driver that takes its limit from the connection text).
  bool Conectar(const std::string& texto, unsigned esperaDeLogin, unsigned esperaDeSentencia);
  void Cerrar();
  bool Abierta() const { return h_ != nullptr; }

  // A statement without result; false when it failed.
  bool Ejecutar(const std::string& sentencia);
  // The rows of the statement's first result that has columns, read to the end; nothing when the
  // statement failed, had no such result or a row could not be read.
  std::optional<std::vector<FilaOdbc>> Consultar(const std::string& sentencia,
                                                 const std::vector<ParametroOdbc>& parametros = {});

 private:
  struct Manejadores;
  std::unique_ptr<Manejadores> h_;
};

// The driver manager as a service of the run: its drivers, and the connections made through it.
class Odbc {
 public:
  virtual ~Odbc() = default;
  virtual std::vector<std::string> Drivers() = 0;
  virtual std::unique_ptr<ConexionOdbc> NuevaConexion() = 0;
};

// The machine's own driver manager.
class OdbcDelSistema final : public Odbc {
 public:
  std::vector<std::string> Drivers() override { return DriversInstalados(); }
  std::unique_ptr<ConexionOdbc> NuevaConexion() override { return std::make_unique<ConexionOdbc>(); }
};

}  // namespace evalora
