#include "localdb/BaseDeDatosLocal.h"

#include "core/Texto.h"
#include "install/CarpetasDelSistema.h"
#include "install/Espera.h"
#include "install/SecurityFolder.h"
#include "localdb/ArchivoDeRegistro.h"
#include "localdb/FormatoRegional.h"

namespace evalora {

namespace {

constexpr const char* kSegundaFrase =
    "Intente ejecutar este Asistente directamente en el equipo en donde quieres "
    "instalar la Base de datos.";

std::string FraseDeSoporte() {
  return std::string(
             "Si tienes dudas o requieres ayuda sobre este proceso por favor consulta al Centro de Atención y "
             "Soporte Evalora. (") +
         CorreoDeSoporte() + "; Teléfono: " + kTelefonoDeSoporte + ")";
}

// What the user typed goes into a statement only with its quotes doubled.
std::string ComillasDobladas(const std::string& texto) {
  std::string r;
  for (char c : texto) r += c == '\'' ? std::string("''") : std::string(1, c);
  return r;
}

// One failing step: the message by its number and the error's description; the procedure ends.
struct FallaDePaso {
  int paso;
  std::string descripcion;
};

class Procedimiento {
 public:
  Procedimiento(EstadoDeEjecucion& estado, const Plataforma& p, PanelDeInstalacion& panel, const std::string& id)
      : estado_(estado), p_(p), panel_(panel), formato_(LeerFormatoRegional(p.registro)) {
    const std::string limpio = RecortarBlancos(id);
    id6_ = Mayusculas(SubcadenaEnCaracteres(limpio, 0, 6));
    const size_t largo = LongitudEnCaracteres(limpio);
    id4_ = Mayusculas(SubcadenaEnCaracteres(limpio, largo >= 4 ? largo - 4 : 0, 4));
    tipoDeId_ = static_cast<int>(ANumero(SubcadenaEnCaracteres(limpio, 6, 2)).value_or(0));
  }

  bool Ejecutar();

 private:
  void Progreso(int n) { panel_.Progreso(n); }
  void Requerir(bool correcto, int paso, const std::string& descripcion) {
    if (!correcto) throw FallaDePaso{paso, descripcion};
  }
  void Copiar(const std::string& nombre, int paso);
  // Up to three waits of 15 seconds for the copy; a message when it never appears.
  void EsperarCopia(const std::string& nombre, const char* sufijo);
  std::string Fecha(int64_t desplazamiento = 0) const { return FechaYHora(ahora_ + desplazamiento, formato_); }
  void EscribirRegistros(ArchivoDeRegistro& bd);
  void PrepararCarpeta();
  void AvisoDeRed(const std::string& db);

  EstadoDeEjecucion& estado_;
  const Plataforma& p_;
  PanelDeInstalacion& panel_;
  FormatoRegional formato_;
  std::string id6_, id4_;
  int tipoDeId_ = 0;
  int64_t ahora_ = 0;
};

void Procedimiento::Copiar(const std::string& nombre, int paso) {
  const std::string origen = estado_.CarpetaDeInstalacion + "\\Utilerías\\Servidor local\\" + nombre;
  Requerir(p_.archivos.CopiarArchivo(origen, estado_.CarpetaBaseDeDatos + "\\" + nombre, true), paso,
           "No se encontró el archivo " + nombre);
}

void Procedimiento::EsperarCopia(const std::string& nombre, const char* sufijo) {
  bool visto = false;
  for (int i = 0; i < 3 && !visto; ++i) visto = EsperarArchivo(estado_.CarpetaBaseDeDatos + "\\" + nombre, 15, p_);
  if (visto) return;
  p_.mensajes.Mostrar(
      std::string("El Asistente no puede instalar la Base de datos. (") + sufijo + ")\r\n\r\n" + kSegundaFrase,
      kMensajeInformacion, std::string());
}

void Procedimiento::EscribirRegistros(ArchivoDeRegistro& bd) {
  std::string error;
  const auto institucion = bd.Consultar("SELECT * FROM TBL_INSTITUCION WHERE ins_mac <> '00-00-00-00-00-00'", error);
  Requerir(institucion.has_value(), 4, error);
  if (!institucion->empty()) {
    p_.mensajes.Mostrar(
        "La Base de datos ya tiene información de una institución.\r\n\r\nEl proceso de instalación se "
        "suspenderá.",
        kMensajeAdvertencia, std::string());
    p_.terminacion.Terminar();
  }
  Requerir(bd.Agregar("TBL_INSTITUCION",
                      {{"ins_res", Texto(tipoDeId_ == 1 ? "R00001" : "R00002")},
                       {"ins_ide", Texto(id6_)},
                       {"ins_nom", Texto("Escriba aquí el nombre de su Institución")},
                       {"ins_hab", Numero("1")},
                       {"ins_rec", Numero("0")},
                       {"ins_mae", Numero("0")},
                       {"ins_est", Numero("0")},
                       {"ins_mac", Texto("Pendiente")},
                       {"ins_tip", Texto("L")},
                       {"ins_log", Texto("")},
                       {"ins_cer", Texto("")},
                       {"ins_web", Texto("")},
                       {"ins_tel", Texto("")},
                       {"ins_fec_alta", Texto(Fecha())},
                       {"ins_fec_reg", Texto(Fecha())},
                       {"ins_sta_reg", Numero("0")},
                       {"con_diag", Numero("1")},
                       {"con_eval", Numero("1")},
                       {"con_acre", Numero("1")},
                       {"ins_admin", Numero("1")},
                       {"ins_DiasDeVigenciaDeAlumnos", Numero("365")},
                       {"FechaDeUltimaSincronizacion", Texto(Fecha(-7 * 86400))},
                       {"ins_del_aut", Numero("-1")}},
                      error),
           0, error);
  panel_.Etapa("Actualizando tablas de la Base de datos");
  Progreso(50);
  std::string web = CadenaConexionWeb(id4_);
  for (size_t i = web.find("Zk47mPqe51"); i != std::string::npos; i = web.find("Zk47mPqe51", i)) {
    web.replace(i, 10, "CadenaWeb");
  }
  // The ID's piece reaches the statement with its quotes doubled.
  const std::string id4Citado = ComillasDobladas(id4_);
  Requerir(bd.Ejecutar("UPDATE TBL_PARAMETROS SET CadenaDeConexion = '" + web + "', Testo1 = '" + id4Citado +
                           "', PerfilPlataforma = 'A', ActivarVerificacionDeUltimasVersiones = 0;",
                       error),
           0, error);
  Progreso(65);
  Requerir(bd.Ejecutar("DELETE FROM TBL_INSTITUCION WHERE ins_mac = '00-00-00-00-00-00'", error), 0, error);
  Progreso(70);
  const std::string id6Citado = ComillasDobladas(id6_);
  const std::string fecha = Fecha(), vigencia = Fecha(365 * 86400);
  Progreso(75);
  for (const auto& [tabla, perfil] : {std::pair<const char*, const char*>{"TBL_ADMINISTRADORES", "05"},
                                      {"TBL_PROFESORES", "04"},
                                      {"TBL_ALUMNOS", "03"}}) {
    Requerir(
        bd.Ejecutar(std::string("INSERT INTO ") + tabla +
                        " (usu_ins_ide, usu_ide, usu_per_ide,usu_ape,usu_nom,usu_cor,usu_usu,usu_con,usu_seg,"
                        "usu_hab,usu_sta_reg,usu_aut,usu_cuestionario,usu_FechaCuestionario,usu_FechaVigencia) "
                        "VALUES('" +
                        id6Citado + "','C00001','" + perfil + "','Pendiente','Nombre','Pendiente','Ruvex','Ruvex', " +
                        "0,1,0,-1,0,'" + fecha + "','" + vigencia + "')",
                    error),
        0, error);
  }
  Requerir(bd.Agregar("TBL_COORDINADORES",
                      {{"usu_ins_ide", Texto(id6_)},
                       {"usu_ide", Texto("C00001")},
                       {"usu_per_ide", Texto("07")},
                       {"usu_ape", Texto("Pendiente")},
                       {"usu_nom", Texto("Nombre")},
                       {"usu_cor", Texto("Pendiente")},
                       {"usu_usu", Texto("Ruvex")},
                       {"usu_con", Texto("Ruvex")},
                       {"usu_fec_alta", Texto(fecha)},
                       {"usu_seg", Numero("0")},
                       {"usu_hab", Numero("1")},
                       {"usu_sta_reg", Numero("0")},
                       {"usu_fec_rec", Texto(fecha)},
                       {"usu_aut", Numero("-1")},
                       {"usu_cuestionario", Numero("0")},
                       {"usu_fechacuestionario", Texto(fecha)},
                       {"usu_numero_alumnos", Numero("0")},
                       {"usu_fechavigencia", Texto(vigencia)},
                       {"cScreen", Texto("")}},
                      error),
           0, error);
  Progreso(85);
  Requerir(bd.Ejecutar("INSERT INTO TBL_BITACORA (bit_ins_ide,bit_usu_ide,bit_cpu_mac,bit_fec_ini,bit_fec_fin) "
                       "VALUES('" +
                           id6Citado + "','C00001','PC del Coordinador','" + fecha + "','" + fecha + "')",
                       error),
           0, error);
}

void Procedimiento::PrepararCarpeta() {
  const std::string db = estado_.CarpetaBaseDeDatos;
  const std::string& origen = estado_.CarpetaDeInstalacion;
  Progreso(90);
  if (!p_.archivos.ExisteCarpeta(db + "\\Utilerías")) p_.archivos.CrearCarpeta(db + "\\Utilerías");
  if (p_.archivos.ExisteArchivo(origen + "\\Utilerías\\SecurityFolder.exe")) {
    p_.archivos.CopiarArchivo(origen + "\\Utilerías\\SecurityFolder.exe", db + "\\Utilerías\\SecurityFolder.exe", true);
  }
  const std::string documentos = "\\Documentos de apoyo para la instalación";
  const std::string pdf = "\\EV-DAST12.00 - Permitir control total a la carpeta Servidor Evalora Local.pdf";
  if (!p_.archivos.ExisteCarpeta(db + documentos)) p_.archivos.CrearCarpeta(db + documentos);
  if (p_.archivos.ExisteArchivo(origen + "\\Utilerías" + documentos + pdf)) {
    p_.archivos.CopiarArchivo(origen + "\\Utilerías" + documentos + pdf, db + documentos + pdf, true);
  }
  int16_t tipo = 0;
  if (TipoDeUnidad(SubcadenaEnCaracteres(db, 0, 2), tipo, p_.unidades)) {
    const std::string marcador = db + "\\LogEV.txt";
    p_.shell.Abrir(db + "\\Utilerías\\SecurityFolder.exe", ArgumentosDeSecurityFolder({"Compartir", db, marcador}),
                   Verbo::kAbrir);
    panel_.Etapa("Estableciendo permisos a la carpeta de la Base de datos");
    Progreso(93);
    p_.eventos.Ceder();
    if (EsperarArchivoLog(db, 15, p_.archivos, p_.reloj, p_.eventos)) p_.archivos.BorrarArchivo(marcador, false);
  } else if (tipo == kUnidadExtraible) {
    p_.mensajes.Mostrar(
        "IMPORTANTE:\r\n\r\nInstalar la Base de datos del sistema en una unidad externa implica un "
        "alto riesgo de extraviarla o de que sea eliminada ya que no es posible establecer permisos "
        "especiales a la carpeta que la contiene.\r\n\r\n" +
            FraseDeSoporte(),
        kMensajeInformacion, std::string());
  } else {
    AvisoDeRed(db);
  }
}

void Procedimiento::AvisoDeRed(const std::string& db) {
  p_.mensajes.Mostrar(
      "IMPORTANTE:\r\n\r\nPara concluir este proceso, dirígete al equipo o unidad externa en donde "
      "colocaste la Base de datos (" +
          db +
          ") y ejecuta la aplicación 'SecurityFolder' que se encuentra en la carpeta Utilerías.\r\n\r\n"
          "Cuando la aplicación 'SecurityFolder' lo solicite, utiliza las claves de Administrador "
          "predeterminadas Ruvex / Ruvex\r\n\r\n" +
          FraseDeSoporte(),
      kMensajeInformacion, std::string());
}

bool Procedimiento::Ejecutar() {
  ahora_ = p_.reloj.Ahora();
  panel_.ProcesoEnEjecucion("Instalando la Base de datos Evalora...");
  panel_.Refrescar();
  std::string& db = estado_.CarpetaBaseDeDatos;
  if (!db.empty()) {
    if (!p_.archivos.ExisteCarpeta(db)) {
      p_.mensajes.Mostrar("No existe o no se tiene acceso a la ruta o IP indicada.", kMensajeInformacion,
                          std::string());
      return false;
    }
    db += "\\Servidor Evalora " + estado_.VersionMayor + " Local";
  }
  bool resultado = false;
  try {
    Progreso(10);
    panel_.Refrescar();
    if (!p_.archivos.ExisteCarpeta(db)) Requerir(p_.archivos.CrearCarpeta(db), 0, "No se encontró la ruta de acceso");
    Copiar("EVDBMSLocal.mdb", 1);
    panel_.Etapa("Creando archivos de base de datos");
    Progreso(20);
    EsperarCopia("EVDBMSLocal.mdb", "MDB");
    Copiar("EVDBMSLocal.evx", 2);
    panel_.Etapa("Creando archivos de base de datos");
    Progreso(30);
    EsperarCopia("EVDBMSLocal.evx", "EVX");
    panel_.Etapa("Actualizando tablas de la Base de datos");
    Progreso(30);
    ArchivoDeRegistro bd;
    std::string error;
    const auto ruta = p_.archivos.RutaAnfitrion(db + "\\EVDBMSLocal.evx");
    Requerir(ruta && bd.Abrir(*ruta, kClaveDelArchivoDeRegistro, error), 3, error);
    EscribirRegistros(bd);
    PrepararCarpeta();
    resultado = true;
    panel_.Etapa("Finalizando instalación");
    Progreso(97);
  } catch (const FallaDePaso& f) {
    std::string texto;
    if (f.paso == 1) texto = "El sistema no pudo crear la Base de datos (.mdb)";
    if (f.paso == 2) texto = "El sistema no pudo crear el archivo de registro (.evx)";
    if (f.paso == 3) {
      texto = "No fue posible conectarse a la Base de datos recién creada en " + db +
              "\r\n\r\nEl sistema se cerrará y podrá intentar instalar la Base de datos nuevamente.";
    }
    p_.mensajes.Mostrar(texto + "\r\n\r\n" + f.descripcion, kMensajeAdvertencia, std::string());
    return resultado;
  }
  LimpiarServidorLocal(estado_, p_);
  return resultado;
}

}  // namespace

bool InstalarBaseDeDatosLocal(EstadoDeEjecucion& estado, const Plataforma& plataforma, PanelDeInstalacion& panel,
                              const std::string& id) {
  return Procedimiento(estado, plataforma, panel, id).Ejecutar();
}

bool EsperarArchivo(const std::string& archivo, int limite, const Plataforma& p) {
  const uint32_t inicio = p.reloj.Milisegundos();
  Esperar(1, p.reloj, p.eventos);
  while (true) {
    p.eventos.Ceder();
    if (p.archivos.ExisteArchivo(archivo)) return true;
    if (limite > 0 && SegundosPasados(inicio, p.reloj.Milisegundos()) > static_cast<uint32_t>(limite)) return false;
    Esperar(1, p.reloj, p.eventos);
  }
}

bool TipoDeUnidad(const std::string& unidad, int16_t& tipo, Unidades& unidades) {
  std::vector<std::string> lista;
  for (const Unidad& u : unidades.Listar()) {
    if (lista.size() == 11) break;
    lista.push_back(u.letra + "|" + std::to_string(u.tipo));
  }
  const std::string buscada = Mayusculas(unidad);
  for (size_t i = 0; i < lista.size() && i < 10; ++i) {
    if (lista[i].substr(0, 2) != buscada) continue;
    tipo = static_cast<int16_t>(lista[i].back() - '0');
    return tipo == kUnidadFija;
  }
  return false;
}

void LimpiarServidorLocal(const EstadoDeEjecucion& estado, const Plataforma& p) {
  const std::string carpeta = estado.CarpetaDeInstalacion + "\\Utilerías\\Servidor local";
  p.archivos.BorrarArchivo(carpeta + "\\EVDBMSLocal.evx", true);
  p.archivos.BorrarArchivo(carpeta + "\\EVDBMSLocal.mdb", true);
  p.archivos.BorrarCarpeta(carpeta, true);
}

std::string CadenaConexionWeb(const std::string&) { return ""; }

}  // namespace evalora
