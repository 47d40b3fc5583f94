// The development server's TDS against the real client: Qt's ODBC driver over unixODBC and FreeTDS.
#include "tds/ServidorTds.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iterator>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <mutex>
#include <thread>

#include "apoyo/ConexionCruda.h"

namespace evalora::tds {
namespace {

// Answers the version query with one row, and records what it received.
class AtencionDePrueba : public Atencion {
 public:
  void Lote(const std::string& sql, Escritor& r) override {
    Anotar(sql);
    if (sql.rfind("sp_datatype_info", 0) == 0) {
      Done(r, 0);
    } else if (sql.rfind("SELECT Activa, Version", 0) == 0) {
      const std::vector<Columna> columnas{{"Activa", TipoDeColumna::kBit}, {"Version", TipoDeColumna::kTexto}};
      MetadatosDeColumnas(r, columnas);
      Fila(r, columnas, {true, std::string("2020.6.3")});
      Done(r, kDoneCuenta, 1, 0xC1);
    } else if (sql.rfind("Exec spVacio", 0) == 0) {
      const std::vector<Columna> columnas{{"Lanzador", TipoDeColumna::kEntero}};
      MetadatosDeColumnas(r, columnas);
      Done(r, kDoneCuenta, 0, 0xC1);
    } else if (sql.rfind("Exec spEco", 0) == 0) {
      const std::vector<Columna> columnas{{"Texto", TipoDeColumna::kTexto},
                                          {"Peso", TipoDeColumna::kReal},
                                          {"Numero", TipoDeColumna::kEntero},
                                          {"Nulo", TipoDeColumna::kTexto}};
      MetadatosDeColumnas(r, columnas);
      Fila(r, columnas, {std::string("Utilerías ñ"), 1.5e9, 42, Valor{}});
      Fila(r, columnas, {std::string("segunda"), 2.0, -7, std::string("x")});
      Done(r, kDoneCuenta, 2, 0xC1);
    } else {
      Error(r, 2812, 16, "No se encontró el procedimiento.", "prueba");
      Done(r, kDoneError);
    }
  }
  void Rpc(const LlamadaRpc& llamada, Escritor& r) override {
    std::string linea = llamada.procedimiento;
    for (const auto& p : llamada.parametros)
      linea += "|" + (p.nulo ? "NULL" : p.esTexto ? p.texto : std::to_string(p.entero));
    Anotar(linea);
    const std::vector<Columna> columnas{{"Recibido", TipoDeColumna::kTexto}};
    MetadatosDeColumnas(r, columnas);
    Fila(r, columnas, {linea});
    DoneEnProcedimiento(r, kDoneMas | kDoneCuenta, 1);
    EstadoDeRetorno(r, 0);
    DoneDeProcedimiento(r, 0);
  }
  std::vector<std::string> Recibidos() {
    std::lock_guard<std::mutex> bloqueo(candado_);
    return recibidos_;
  }

 private:
  void Anotar(const std::string& texto) {
    std::lock_guard<std::mutex> bloqueo(candado_);
    recibidos_.push_back(texto);
  }
  std::mutex candado_;
  std::vector<std::string> recibidos_;
};

class ServidorTdsTest : public ::testing::Test {
 protected:
  void Iniciar(Falla falla = Falla::kNinguna) {
    servidor = std::make_unique<ServidorTds>(atencion, Credenciales{}, falla);
    puerto = servidor->Escuchar(0);
    ASSERT_NE(puerto, 0);
    hilo = std::thread([this] { servidor->Atender(); });
  }
  void TearDown() override {
    QSqlDatabase::removeDatabase("prueba");
    if (servidor) servidor->Detener();
    if (hilo.joinable()) hilo.join();
  }
  // Opens a connection the way the wizard does.
  bool Abrir(const std::string& clave = "Qm58wLx2Zb") {
    QSqlDatabase bd = QSqlDatabase::addDatabase("QODBC", "prueba");
    bd.setDatabaseName(QString::fromStdString("DRIVER={FreeTDS};SERVER=127.0.0.1;PORT=" + std::to_string(puerto) +
                                              ";DATABASE=downloadmanager;UID=downloadmanager;PWD=" + clave +
                                              ";TDS_Version=7.4;ClientCharset=UTF-8;"));
    bd.setConnectOptions("SQL_ATTR_LOGIN_TIMEOUT=10");
    const bool abierta = bd.open();
    if (!abierta) error = bd.lastError().text().toStdString();
    return abierta;
  }
  static QSqlDatabase Base() { return QSqlDatabase::database("prueba", false); }

  int argc = 1;
  char nombre[8] = "prueba";
  char* argv[2] = {nombre, nullptr};
  QCoreApplication aplicacion{argc, argv};
  AtencionDePrueba atencion;
  std::unique_ptr<ServidorTds> servidor;
  std::thread hilo;
  uint16_t puerto = 0;
  std::string error;
};

using pruebas::ConectarCrudo;

size_t DescriptoresAbiertos() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator()));
}

TEST_F(ServidorTdsTest, CadaConexionDevuelveSuDescriptor) {
  Iniciar();
  auto unaConexion = [this] {
    const int fd = ConectarCrudo(puerto);
    ASSERT_GE(fd, 0);
    const uint8_t basura[8] = {0x99, 0x01, 0x00, 0x04, 0, 0, 0, 0};  // shorter than a header: the session ends
    ASSERT_EQ(::send(fd, basura, sizeof basura, MSG_NOSIGNAL), 8);
    char fin;
    ::recv(fd, &fin, 1, 0);  // the server closes its side
    ::close(fd);
  };
  for (int i = 0; i < 20; ++i) unaConexion();
  const size_t antes = DescriptoresAbiertos();
  for (int i = 0; i < 300; ++i) unaConexion();
  EXPECT_LT(DescriptoresAbiertos(), antes + 20);
}

TEST_F(ServidorTdsTest, UnMensajeSinFinNoCreceSinLimite) {
  Iniciar();
  const int fd = ConectarCrudo(puerto);
  ASSERT_GE(fd, 0);
  const timeval espera{2, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &espera, sizeof espera);
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &espera, sizeof espera);
  // Packets of a batch that never say they are the last one: 24 MiB at most.
  std::vector<uint8_t> paquete(4096, 0x41);
  paquete[0] = 0x01;
  paquete[1] = 0x00;
  paquete[2] = 0x10;
  paquete[3] = 0x00;
  for (int i = 0; i < 6144; ++i) {
    if (::send(fd, paquete.data(), paquete.size(), MSG_NOSIGNAL) <= 0) break;
  }
  // The server ended the session (end of stream or reset), rather than still waiting for more.
  char byte;
  const ssize_t r = ::recv(fd, &byte, 1, 0);
  const bool terminada = r == 0 || (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
  EXPECT_TRUE(terminada) << "the server kept reading a message without end";
  ::close(fd);
}

TEST_F(ServidorTdsTest, ConsultaConElControladorReal) {
  Iniciar();
  ASSERT_TRUE(Abrir()) << error;
  {
    QSqlQuery consulta(Base());
    consulta.setForwardOnly(true);
    ASSERT_TRUE(
        consulta.exec("SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and "
                      "versionEV='2020'"))
        << consulta.lastError().text().toStdString();
    ASSERT_TRUE(consulta.next());
    EXPECT_TRUE(consulta.value("Activa").toBool());
    EXPECT_EQ(consulta.value("Version").toString().toStdString(), "2020.6.3");
    EXPECT_FALSE(consulta.next());
  }
  const auto recibidos = atencion.Recibidos();
  EXPECT_NE(std::find(recibidos.begin(), recibidos.end(),
                      "SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and "
                      "versionEV='2020'"),
            recibidos.end());
}

TEST_F(ServidorTdsTest, TiposFilasVaciasYErrores) {
  Iniciar();
  ASSERT_TRUE(Abrir()) << error;
  QSqlQuery eco(Base());
  eco.setForwardOnly(true);
  ASSERT_TRUE(eco.exec("Exec spEco 'x'")) << eco.lastError().text().toStdString();
  ASSERT_TRUE(eco.next());
  EXPECT_EQ(eco.value("Texto").toString().toStdString(), "Utilerías ñ");
  EXPECT_DOUBLE_EQ(eco.value("Peso").toDouble(), 1.5e9);
  EXPECT_EQ(eco.value("Numero").toInt(), 42);
  EXPECT_TRUE(eco.value("Nulo").isNull());
  ASSERT_TRUE(eco.next());
  EXPECT_EQ(eco.value("Numero").toInt(), -7);
  EXPECT_FALSE(eco.next());

  QSqlQuery vacia(Base());
  vacia.setForwardOnly(true);
  ASSERT_TRUE(vacia.exec("Exec spVacio"));
  EXPECT_TRUE(vacia.isSelect());
  EXPECT_FALSE(vacia.next());

  QSqlQuery mala(Base());
  mala.setForwardOnly(true);
  EXPECT_FALSE(mala.exec("spNoExiste 1"));
  EXPECT_NE(mala.lastError().text().toStdString().find("No se encontró el procedimiento."), std::string::npos);

  // The connection stays usable after an error, and after a result left unread.
  QSqlQuery aMedias(Base());
  aMedias.setForwardOnly(true);
  ASSERT_TRUE(aMedias.exec("Exec spEco 'y'"));
  ASSERT_TRUE(aMedias.next());
  aMedias.finish();
  QSqlQuery otra(Base());
  otra.setForwardOnly(true);
  ASSERT_TRUE(otra.exec("SELECT Activa, Version FROM x")) << otra.lastError().text().toStdString();
  EXPECT_TRUE(otra.next());
}

TEST_F(ServidorTdsTest, ProcedimientoConParametros) {
  Iniciar();
  ASSERT_TRUE(Abrir()) << error;
  QSqlQuery llamada(Base());
  llamada.setForwardOnly(true);
  ASSERT_TRUE(llamada.prepare("{CALL spDescargaLanzadores(?,?,?,?)}"));
  llamada.addBindValue(QString("Lanzadores"));
  llamada.addBindValue(QString("2020"));
  llamada.addBindValue(QString("RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'"));
  llamada.addBindValue(true);
  ASSERT_TRUE(llamada.exec()) << llamada.lastError().text().toStdString();
  ASSERT_TRUE(llamada.next());
  EXPECT_EQ(llamada.value(0).toString().toStdString(),
            "spDescargaLanzadores|Lanzadores|2020|RutaServidor LIKE '%Word%' OR RutaServidor LIKE '%Excel%'|1");
}

TEST_F(ServidorTdsTest, LoginRechazado) {
  Iniciar();
  EXPECT_FALSE(Abrir("otra"));
  EXPECT_NE(error.find("Login failed"), std::string::npos) << error;
}

TEST_F(ServidorTdsTest, FallaRechazarTodo) {
  Iniciar(Falla::kRechazarLogin);
  EXPECT_FALSE(Abrir());
}

}  // namespace
}  // namespace evalora::tds
