// evalora-servidor-dev as scripts and tests start it: the port on its first line, a script of
// test data, the log of what it received.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <fstream>

#include "apoyo/PrefijoTemporal.h"

namespace {

class EjecutableTest : public ::testing::Test {
 protected:
  // Starts the server; the port it printed, or 0.
  uint16_t Iniciar(const std::vector<std::string>& argumentos) {
    int tubo[2];
    if (::pipe(tubo) != 0) return 0;
    std::vector<std::string> todos{EVALORA_SERVIDOR_DEV};
    todos.insert(todos.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (auto& a : todos) argv.push_back(a.data());
    argv.push_back(nullptr);
    hijo = ::fork();
    if (hijo == 0) {
      ::dup2(tubo[1], 1);
      ::close(tubo[0]);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(tubo[1]);
    std::string linea;
    char c;
    while (::read(tubo[0], &c, 1) == 1 && c != '\n') linea += c;
    ::close(tubo[0]);
    if (linea.rfind("catalogo ", 0) != 0) return 0;
    return static_cast<uint16_t>(std::stoi(linea.substr(9)));
  }
  void TearDown() override {
    QSqlDatabase::removeDatabase("ejecutable");
    if (hijo > 0) {
      ::kill(hijo, SIGTERM);
      ::waitpid(hijo, nullptr, 0);
    }
  }
  int argc = 1;
  char nombre[8] = "prueba";
  char* argv_[2] = {nombre, nullptr};
  QCoreApplication aplicacion{argc, argv_};
  evalora::pruebas::PrefijoTemporal carpeta;
  pid_t hijo = -1;
};

TEST_F(EjecutableTest, DatosDePruebaYRegistro) {
  carpeta.Escribir("caso.sql", "UPDATE TBL_DMVersionDM SET Activa = 0 WHERE Version = '2020.6.3';");
  const auto registro = carpeta.Raiz() / "registro.txt";
  const uint16_t puerto =
      Iniciar({"--puerto", "0", "--catalogo", (carpeta.Raiz() / "caso.sql").string(), "--registro", registro.string()});
  ASSERT_NE(puerto, 0);
  {
    QSqlDatabase bd = QSqlDatabase::addDatabase("QODBC", "ejecutable");
    bd.setDatabaseName(QString::fromStdString(
        "DRIVER={FreeTDS};SERVER=127.0.0.1;PORT=" + std::to_string(puerto) +
        ";DATABASE=downloadmanager;UID=downloadmanager;PWD=Qm58wLx2Zb;TDS_Version=7.4;ClientCharset=UTF-8;"));
    ASSERT_TRUE(bd.open()) << bd.lastError().text().toStdString();
    QSqlQuery q(bd);
    q.setForwardOnly(true);
    ASSERT_TRUE(
        q.exec("SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and "
               "versionEV='2020'"));
    ASSERT_TRUE(q.next());
    EXPECT_FALSE(q.value(0).toBool());
  }
  std::ifstream archivo(registro);
  std::string texto((std::istreambuf_iterator<char>(archivo)), std::istreambuf_iterator<char>());
  EXPECT_NE(texto.find("SELECT Activa, Version FROM TBL_DMVersionDM WHERE SUBSTRING ( Version ,6 , 1 )=6 and "
                       "versionEV='2020'\n"),
            std::string::npos)
      << texto;
}

TEST_F(EjecutableTest, CallarTrasElLoginEsUnaFallaConocida) {
  EXPECT_NE(Iniciar({"--puerto", "0", "--falla", "callar-tras-login"}), 0);
}

TEST_F(EjecutableTest, OpcionesMalas) {
  for (const std::vector<std::string>& malas : std::vector<std::vector<std::string>>{
           {"--puerto", "70000"}, {"--falla", "otra"}, {"--catalogo", "/no/existe.sql"}, {"--inventada"}}) {
    EXPECT_EQ(Iniciar(malas), 0);
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    hijo = -1;
    EXPECT_EQ(WEXITSTATUS(estado), 2);
  }
}

}  // namespace
