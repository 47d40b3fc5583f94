// The demo catalogue: what every kind of 2020 finds when the wizard runs against the development
// server. docs/servidor-dev.md lists the IDs and files.
#include "Catalogo.h"
#include "ContenidoDemo.h"

#include <stdexcept>

namespace evalora::servidor {

namespace {

std::string Archivo(const std::string& producto, const std::string& edicion, int modo, const std::string& variante,
                    const std::string& suite, int actividades, const std::string& ruta, const std::string& local,
                    long peso) {
  return "INSERT INTO Archivos (Producto, Edicion, Modo, Variante, Suite, VersionEV, Actividades, RutaServidor, "
         "RutaLocal, Peso) VALUES ('" +
         producto + "','" + edicion + "'," + std::to_string(modo) + ",'" + variante + "','" + suite + "','2020'," +
         std::to_string(actividades) + ",'${HTTP}/2020/" + ruta + "','" + local + "','" + std::to_string(peso) +
         "');\n";
}

std::string Sistema() {
  std::string sql;
  for (const std::string edicion : {"Cloud", "Local"}) {
    for (const std::string variante : {"01TE", "02GE"}) {
      const std::string base = edicion + "/" + variante + "/";
      // Installer download (kinds 4 and 5).
      const std::string instalador = "Instalador Evalora " + edicion + "\\";
      sql += Archivo("Sistema", edicion, 1, variante, "", 0, base + "Instalador/SetupEvalora2020" + edicion + ".exe",
                     instalador + "SetupEvalora2020" + edicion + ".exe", 3145728);
      sql += Archivo("Sistema", edicion, 1, variante, "", 0, base + "Instalador/autorun.inf",
                     instalador + "autorun.inf", 64);
      sql += Archivo("Sistema", edicion, 1, variante, "", 0, base + "Instalador/Leeme.txt", instalador + "Léeme.txt",
                     2048);
      // The system itself (kinds 1 and 3); ContenidoDemo puts the real programs, fonts and icon.
      for (const auto& [servidor, local, peso] : ArchivosDelSistema()) {
        sql += Archivo("Sistema", edicion, 2, variante, "", 0, base + "Sistema/" + servidor, local, peso);
      }
    }
  }
  return sql;
}

std::string Recursos() {
  std::string sql;
  const std::pair<const char*, long> suites[] = {{"MS2010", 1048576},     {"MS2013", 1572864}, {"MS2016", 2097152},
                                                 {"MS2019", 2621440},     {"CS6", 3145728},    {"CC2014", 3670016},
                                                 {"Programacion", 524288}};
  for (const std::string edicion : {"Cloud", "Local"}) {
    for (const std::string variante : {"01TE", "02GE"}) {
      for (const auto& [suite, peso] : suites) {
        const std::string carpeta = edicion + "/" + variante + "/Recursos/" + suite + "/";
        const std::string local = "Instalador de Recursos Evalora " + edicion + "\\" + suite + "\\";
        sql += Archivo("Recursos", edicion, 0, variante, suite, 0, carpeta + "Guia.pdf", local + "Guía del alumno.pdf",
                       peso);
        sql += Archivo("Recursos", edicion, 0, variante, suite, 0, carpeta + "Practicas.zip", local + "Prácticas.zip",
                       peso / 2);
      }
    }
  }
  return sql;
}

std::string Lanzadores() {
  std::string sql;
  for (const std::string aplicacion : {"Word", "Excel", "PowerPoint", "Access"}) {
    const std::string local = "Instalador lanzadores Evalora\\";
    sql += Archivo("Lanzadores", "Local", 0, "", "", 0, "Lanzadores/Lanzador" + aplicacion + ".exe",
                   local + "Lanzador" + aplicacion + ".exe", 524288);
    sql += Archivo("Lanzadores", "Local", 0, "", "", 1, "Lanzadores/Actividades/Actividades" + aplicacion + ".zip",
                   local + "Actividades\\Actividades" + aplicacion + ".zip", 262144);
  }
  return sql;
}

}  // namespace

void Catalogo::SembrarDemo() {
  std::string sql;
  for (int tipo = 1; tipo <= 8; ++tipo) {
    sql += "INSERT INTO TBL_DMVersionDM VALUES ('2020." + std::to_string(tipo) + ".3','2020',1);\n";
  }
  const long instalador[] = {0, 734003200, 157286400, 734003200, 3147776, 3147776};
  for (int tipo = 1; tipo <= 5; ++tipo) {
    sql += "INSERT INTO PesoInstalador VALUES (" + std::to_string(tipo) + ",'2020'," +
           std::to_string(instalador[tipo]) + ");\n";
  }
  sql += "INSERT INTO PesosRecursos VALUES ('2020',1572864,2359296,3145728,3932160,4718592,5505024,786432);\n";
  sql += "INSERT INTO Lanzadores VALUES ('LANZA104AT',1,'Word;Excel;',1);\n";
  sql += "INSERT INTO Lanzadores VALUES ('LANZA204AT',1,'PowerPoint;',0);\n";
  sql += "INSERT INTO Lanzadores VALUES ('ALUMNO01TE',0,'',0);\n";
  sql += Archivo("BDServidorLocal", "Local", 2, "", "", 0, "ServidorLocal/EVDBMSLocal.mdb",
                 "Utilerías\\Servidor local\\EVDBMSLocal.mdb", 65536);
  sql += Archivo("BDServidorLocal", "Local", 2, "", "", 0, "ServidorLocal/EVDBMSLocal.evx",
                 "Utilerías\\Servidor local\\EVDBMSLocal.evx", 65536);
  sql += Archivo("BDServidorLocal", "Local", 2, "", "", 0, "ServidorLocal/SecurityFolder.exe",
                 "Utilerías\\SecurityFolder.exe", 262144);
  sql += Archivo("BDServidorLocal", "Local", 2, "", "", 0, "ServidorLocal/Permitir.pdf",
                 "Utilerías\\Documentos de apoyo para la instalación\\EV-DAST12.00 - Permitir control total a la "
                 "carpeta Servidor Evalora Local.pdf",
                 600);
  sql += Sistema() + Recursos() + Lanzadores();
  std::string error;
  if (!Ejecutar("BEGIN;\n" + sql + "COMMIT;\n", &error)) throw std::runtime_error("semilla de demostración: " + error);
}

}  // namespace evalora::servidor
