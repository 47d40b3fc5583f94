// The window's design: every step panel with its controls, names, design texts and places (in
// twips). Which of them each step shows and what it writes into them is the presenter's.
#include "ui/frmPrincipal.h"

namespace evalora::ui {

namespace {

Rect T(int izquierda, int arriba, int ancho, int alto) { return Rect{izquierda, arriba, ancho, alto}; }

constexpr Color kNaranja{255, 128, 0};
constexpr Color kAzulDeEnlace{0, 79, 142};

}  // namespace

Control frmPrincipal::Nuevo(const char* padre, const char* nombre, Clase clase, Rect twips) const {
  Control c;
  c.nombre = nombre;
  c.clase = clase;
  c.padre = Indice(padre);
  c.lugar = twips;
  return c;
}

void frmPrincipal::Panel(const char* nombre) {
  Control panel = Nuevo("frmPrincipal", nombre, Clase::kPanel, Rect{});
  panel.recibeRaton = true;
  panel.visible = false;
  Agregar(panel);
  paneles_.push_back(nombre);
}

void frmPrincipal::Etiqueta(const char* padre, const char* nombre, const std::string& texto, Rect twips, bool ajustar) {
  Control etiqueta = Nuevo(padre, nombre, Clase::kEtiqueta, twips);
  etiqueta.texto = texto;
  etiqueta.ajustar = ajustar;
  etiqueta.recibeRaton = true;
  etiqueta.rol = Rol::kTexto;
  Agregar(etiqueta);
}

void frmPrincipal::Enlace(const char* padre, const char* nombre, const std::string& texto, Rect twips,
                          std::function<void()> alPulsar) {
  Etiqueta(padre, nombre, texto, twips);
  Control* enlace = Editar(nombre);
  enlace->letra.subrayada = true;
  enlace->tinta = kAzulDeEnlace;
  enlace->mano = true;
  enlace->rol = Rol::kEnlace;
  enlace->tabulable = true;
  clics_[nombre] = std::move(alPulsar);
}

void frmPrincipal::CajaDeTexto(const char* padre, const char* nombre, const char* rotulo, Rect twips) {
  Control caja = Nuevo(padre, nombre, Clase::kCaja, twips);
  caja.rotulo = rotulo;
  caja.recibeRaton = true;
  caja.rol = Rol::kCaja;
  caja.tabulable = true;
  Agregar(caja);
}

void frmPrincipal::Imagen(const char* padre, const char* nombre, Icono icono, Rect twips) {
  Control imagen = Nuevo(padre, nombre, Clase::kImagen, twips);
  imagen.icono = icono;
  Agregar(imagen);
}

void frmPrincipal::Barra(const char* padre, const char* nombre, const char* rotulo, Rect twips) {
  Control barra = Nuevo(padre, nombre, Clase::kBarra, twips);
  barra.rotulo = rotulo;
  barra.rol = Rol::kBarra;
  Agregar(barra);
}

void frmPrincipal::Casilla(const char* padre, const char* nombre, const char* texto, const char* ayuda, Rect twips) {
  Control casilla = Nuevo(padre, nombre, Clase::kCasilla, twips);
  casilla.texto = texto;
  casilla.ayuda = ayuda;
  casilla.fondo = paleta_.ColorFondo;
  casilla.tinta = kNaranja;
  casilla.rol = Rol::kCasilla;
  casilla.tabulable = true;
  Agregar(casilla);
}

BotonPlano* frmPrincipal::Boton(const char* padre, const char* etiqueta, const char* cara, const char* barra,
                                const std::string& texto, Color acento, Rect twips, std::function<void()> alPulsar) {
  Control parte = Nuevo(padre, cara, Clase::kPanel, twips);
  parte.recibeRaton = true;
  parte.mano = true;
  Agregar(parte);
  parte.nombre = etiqueta;
  parte.clase = Clase::kEtiqueta;
  parte.lugar = BotonPlano::LugarDeLaEtiqueta(twips);
  parte.texto = texto;
  parte.ajustar = false;
  parte.horizontal = Horizontal::kCentro;
  parte.vertical = Vertical::kCentro;
  // The caption is the button to the keyboard and to a screen reader; face and bar are its look.
  parte.rol = Rol::kBoton;
  parte.tabulable = true;
  Agregar(parte);
  parte.rol = Rol::kNinguno;
  parte.tabulable = false;
  parte.nombre = barra;
  parte.clase = Clase::kPanel;
  parte.lugar = BotonPlano::LugarDeLaBarra(twips);
  parte.texto.clear();
  Agregar(parte);
  auto& boton = botones_[etiqueta];
  boton = std::make_unique<BotonPlano>(*this, etiqueta, cara, barra, acento, paleta_);
  BotonPlano* b = boton.get();
  for (const char* nombre : {etiqueta, cara, barra}) {
    clics_[nombre] = alPulsar;
    movimientos_[nombre] = [b] { b->Resaltar(); };
  }
  return b;
}

void frmPrincipal::CrearPaneles() {
  Control barraMenu = Nuevo("frmPrincipal", "BarraMenu", Clase::kPanel, T(0, 0, kAnchoTwips, kAltoBarraMenuTwips));
  barraMenu.fondo = paleta_.ColorAzul;
  Agregar(barraMenu);
  Etiqueta("frmPrincipal", "lblTitulo", kTituloDeDiseno, T(0, 0, 0, 0));
  Editar("lblTitulo")->visible = false;  // it holds the title; the caption bar shows it
  Panel("picPaso1");
  CrearPaso1();
  Panel("PicBienvenida");
  CrearBienvenida();
  Panel("picEstableceRutaALaBaseDeDatos");
  CrearIndicaId();
  Panel("picPasoSuite");
  CrearSuite();
  Panel("picSolicitaCarpeta");
  CrearSolicitaCarpeta();
  Panel("picDescargar");
  CrearDescargar();
  Panel("picIniciaDescarga");
  CrearIniciaDescarga();
  Panel("PicInstalando");
  CrearInstalando();
  Panel("PicDescargaCorrecta");
  CrearDescargaCorrecta();
  Panel("picDescargaIncorrecta");
  CrearDescargaIncorrecta();
  Panel("picContacto");
  CrearContacto();
}

void frmPrincipal::CrearPaso1() {
  Imagen("picPaso1", "PicWarning", Icono::kAdvertencia, T(400, 450, 720, 720));
  Editar("PicWarning")->visible = false;
  Etiqueta("picPaso1", "Paso1lblEspere", "Espera un momento, estamos consultando la versión del Asistente",
           T(1400, 250, 9200, 400));
  Etiqueta("picPaso1", "Paso1lblMensaje", "este es el texto", T(1400, 450, 9200, 1200));
  Alinear("Paso1lblMensaje", Horizontal::kCentro, Vertical::kCentro);
}

void frmPrincipal::CrearBienvenida() {
  const int altoDeLaBanda = 600, anchoDelSaludo = 3000, altoDelSaludo = 450;
  Control banda =
      Nuevo("PicBienvenida", "PasoBienvenido_picBienvenido", Clase::kPanel, T(0, 0, kAnchoTwips, altoDeLaBanda));
  banda.fondo = paleta_.ColorGrisOscuro;
  Agregar(banda);
  // The greeting white on the dark grey band, centred on it.
  Etiqueta("PasoBienvenido_picBienvenido", "PasoBienvenido_lblBienvenido", "Bienvenid@",
           T((kAnchoTwips - anchoDelSaludo) / 2, (altoDeLaBanda - altoDelSaludo) / 2, anchoDelSaludo, altoDelSaludo),
           false);
  Control* bienvenido = Editar("PasoBienvenido_lblBienvenido");
  bienvenido->horizontal = Horizontal::kCentro;
  bienvenido->vertical = Vertical::kCentro;
  bienvenido->letra = Letra{1.5, 0, true, false};
  bienvenido->fondo = paleta_.ColorGrisOscuro;
  bienvenido->tinta = kBlanco;
  Etiqueta("PicBienvenida", "PasoBienvenido_lblDescripcion", "", T(600, 800, 9840, 800));
  Etiqueta("PicBienvenida", "PasoBienvenido_lblIDLanzador", "", T(600, 1700, 5000, 300));
  CajaDeTexto("PicBienvenida", "PasoBienvenido_txtIDLanzador", "PasoBienvenido_lblIDLanzador", T(600, 2000, 3000, 375));
  Etiqueta("PicBienvenida", "PasoBienvenido_lblMensajeLanzador", "* El ID no es válido", T(3750, 2040, 4100, 300),
           false);
  Editar("PasoBienvenido_lblMensajeLanzador")->tinta = Color{200, 0, 0};
  for (const char* oculto :
       {"PasoBienvenido_lblIDLanzador", "PasoBienvenido_txtIDLanzador", "PasoBienvenido_lblMensajeLanzador"}) {
    Editar(oculto)->visible = false;
  }
  Boton("PicBienvenida", "PasoBienvenido_lblContinuar", "picPasoBienvenido_lblContinuar",
        "picInferiorPasoBienvenido_lblContinuar", "Iniciar instalación", paleta_.ColorAcento, T(8040, 2550, 2400, 495),
        [this] { PasoBienvenido_lblContinuar_Click(); });
  cambios_["PasoBienvenido_txtIDLanzador"] = [this] { PasoBienvenido_txtIDLanzador_Change(); };
}

void frmPrincipal::CrearIndicaId() {
  const char* panel = "picEstableceRutaALaBaseDeDatos";
  Etiqueta(panel, "PasoIndicaId_lblInstrucciones",
           "Escribe el ID de la Base de datos Evalora y la carpeta o ruta de red en la que deberá instalarse.",
           T(600, 250, 9840, 450));
  Etiqueta(panel, "PasoIndicaId_lblID", "ID de la Base de datos:", T(600, 800, 4000, 300));
  CajaDeTexto(panel, "PasoIndicaId_txtID", "PasoIndicaId_lblID", T(600, 1100, 3000, 375));
  Etiqueta(panel, "PasoIndicaId_lblPathBD",
           "Ubicación de la Base de datos (carpeta o ruta de red):", T(600, 1600, 7000, 300));
  CajaDeTexto(panel, "PasoIndicaId_txtPathBD", "PasoIndicaId_lblPathBD", T(600, 1900, 6900, 375));
  Boton(panel, "PasoIndicaID_cmdExaminar", "picPasoIndicaID_cmdExaminar", "picInferiorPasoIndicaID_cmdExaminar",
        "Examinar...", paleta_.ColorAzul, T(7800, 1860, 2640, 450), [this] { PasoIndicaID_cmdExaminar_Click(); });
  Boton(panel, "PasoIndicaId_lblContinuar", "picPasoIndicaId_lblContinuar", "picInferiorPasoIndicaId_lblContinuar",
        "Continuar", paleta_.ColorAcento, T(8040, 2600, 2400, 495), [this] { PasoIndicaId_btnContinuar_Click(); });
}

void frmPrincipal::CrearSuite() {
  const char* panel = "picPasoSuite";
  Etiqueta(panel, "lblPaso5Instrucciones2", "Selecciona la suite de la cual deseas descargar el material didáctico",
           T(600, 250, 9840, 400));
  struct DeSuite {
    const char* nombre;
    const char* texto;
    const char* ayuda;
    int izquierda, arriba;
  };
  const DeSuite casillas[] = {
      {"PasoSuitechkOffice2010", "MS Office 2010", "Incluye Word, Excel y PowerPoint", 600, 800},
      {"PasoSuitechkOffice2013", "MS Office 2013", "Incluye Word, Excel, PowerPoint y Access", 600, 1200},
      {"PasoSuitechkOffice2016", "MS Office 2016", "Incluye Word, Excel, PowerPoint, Access y Outlook", 600, 1600},
      {"PasoSuitechkOffice2019", "MS Office 2019", "Incluye Word, Excel, PowerPoint, Access y Outlook", 600, 2000},
      {"PasoSuitechkAdobeCS6", "Adobe CS6", "Incluye Dreamweaver, Flash y Photoshop", 3600, 800},
      {"PasoSuitechkAdobeCC2014", "Adobe CC", "Incluye Photoshop", 3600, 1200},
      {"PasoSuitechkProgramacion", "Programación", "Incluye Fundamentos de programación", 3600, 1600},
  };
  for (const DeSuite& c : casillas) Casilla(panel, c.nombre, c.texto, c.ayuda, T(c.izquierda, c.arriba, 2800, 330));
  Etiqueta(panel, "PasoSuite_LblPesoEstimado", "Peso estimado", T(6800, 800, 3640, 700));
  Editar("PasoSuite_LblPesoEstimado")->visible = false;
  Boton(panel, "PasoSuitelblContinuar", "picPasoSuitelblContinuar", "picInferiorPasoSuitelblContinuar", "Continuar",
        paleta_.ColorAcento, T(8040, 2600, 2400, 495), [this] { PasoSuitebtnContinuar_Click(); });
}

void frmPrincipal::CrearSolicitaCarpeta() {
  const char* panel = "picSolicitaCarpeta";
  Etiqueta(panel, "PasoSClblInstrucciones",
           "Elige la carpeta en la que deseas colocar los archivos que vas a descargar.", T(600, 250, 9840, 900));
  CajaDeTexto(panel, "PasoSCtxtCarpetaDeDescarga", "PasoSClblInstrucciones", T(600, 1300, 6900, 375));
  Editar("PasoSCtxtCarpetaDeDescarga")->soloLectura = true;
  Boton(panel, "PasoSClblExaminar", "picPasoSClblExaminar", "picInferiorPasoSClblExaminar", "Examinar...",
        paleta_.ColorAzul, T(7800, 1260, 2640, 450), [this] { PasoSCPicExaminar_Click(); });
  Boton(panel, "PasoSC_lblContinuar", "picPasoSC_lblContinuar", "picInferiorPasoSC_lblContinuar", "Continuar",
        paleta_.ColorAcento, T(8040, 2600, 2400, 495), [this] { PasoSC_Continuar_Click(); });
  Control cancelar = Nuevo(panel, "PasoSC_btnCancelar", Clase::kBoton, T(6000, 2650, 1800, 400));
  cancelar.texto = "Cancelar";
  cancelar.visible = false;
  cancelar.rol = Rol::kBoton;
  cancelar.tabulable = true;
  Agregar(cancelar);
  clics_["PasoSC_btnCancelar"] = [this] { servicios_.plataforma.terminacion.Terminar(); };
  Imagen(panel, "PicSCRegresar", Icono::kRegresar, T(600, 2600, 495, 495));
  Control* regresar = Editar("PicSCRegresar");
  regresar->mano = true;
  regresar->recibeRaton = true;
  regresar->ayuda = "Regresar";
  regresar->visible = false;
  regresar->rol = Rol::kBoton;
  regresar->tabulable = true;
  regresar->nombreAccesible = "Regresar";
  clics_["PicSCRegresar"] = [this] { MuestraPaso(Paso::kSolicitaSuite); };
  movimientos_["PasoSClblInstrucciones"] = [this] { ReposarPanel("picSolicitaCarpeta"); };
}

void frmPrincipal::CrearDescargar() {
  const char* panel = "picDescargar";
  Etiqueta(panel, "PasoDescargarlblInstrucciones", "Estamos obteniendo los archivos a descargar. Espera un momento ...",
           T(600, 1200, 9840, 400));
  Alinear("PasoDescargarlblInstrucciones", Horizontal::kCentro, Vertical::kArriba);
  Etiqueta(panel, "PasoDescargarlblMensaje", "", T(600, 500, 9840, 700));
  Alinear("PasoDescargarlblMensaje", Horizontal::kCentro, Vertical::kArriba);
  Editar("PasoDescargarlblMensaje")->visible = false;
  Boton(panel, "PasoDescargarlblDescargarTodo", "picPasoDescargarlblDescargarTodo",
        "picInferiorPasoDescargarlblDescargarTodo", "Descargar todo", paleta_.ColorAcento, T(2400, 1700, 2800, 495),
        [this] { DescargarTodo_Click(); })
      ->Mostrar(false);
  Boton(panel, "PasoDescargarlblReanudarCancelarDescarga", "picPasoDescargarlblReanudarCancelarDescarga",
        "picinferiorPasoDescargarlblReanudarCancelarDescarga", "Cancelar descarga", paleta_.ColorRojo,
        T(5840, 1700, 2800, 495), [this] { ReanudarCancelarDescarga_Click(); })
      ->Mostrar(false);
}

void frmPrincipal::CrearIniciaDescarga() {
  const char* panel = "picIniciaDescarga";
  Etiqueta(panel, "LblDescargandoArchivos", "", T(600, 250, 9840, 400));
  Editar("LblDescargandoArchivos")->letra.negrita = true;
  Etiqueta(panel, "lbProgresoPorArchivo", "Progreso por archivo ...", T(600, 850, 5000, 300));
  Barra(panel, "picProgresoPorArchivo", "lbProgresoPorArchivo", T(600, 1150, 9840, 345));
  Etiqueta(panel, "lbProgresoGeneral", "Progreso general ...", T(600, 1750, 5000, 300));
  Barra(panel, "picProgresoGeneral", "lbProgresoGeneral", T(600, 2050, 9840, 345));
}

void frmPrincipal::CrearInstalando() {
  const char* panel = "PicInstalando";
  Etiqueta(panel, "PasoInstalando_LblProcesoEnEjecucion", "Instalando...", T(600, 400, 9840, 400));
  Editar("PasoInstalando_LblProcesoEnEjecucion")->letra.negrita = true;
  Etiqueta(panel, "lbProgresoInstalacion", "", T(600, 1150, 9840, 300));
  Barra(panel, "picProgresoInstalacion", "lbProgresoInstalacion", T(600, 1500, 9840, 345));
}

void frmPrincipal::CrearDescargaCorrecta() {
  const char* panel = "PicDescargaCorrecta";
  Imagen(panel, "PasoDCor_picIcono", Icono::kCorrecto, T(600, 700, 720, 720));
  Etiqueta(panel, "PasoDCor_LblMensaje", "", T(1600, 900, 8400, 700));
  Editar("PasoDCor_LblMensaje")->letra.escala = 1.3;
  Etiqueta(panel, "PasoDCor_LblWindowsVista",
           "Es importante que al terminar de instalar Evalora, instales el SP1 y el SP2 para Windows Vista a fin de "
           "evitar experimentes problemas con la red local.",
           T(1600, 1500, 8800, 700));
  Editar("PasoDCor_LblWindowsVista")->visible = false;
  Boton(panel, "lblIniciarAhora", "picIniciarAhora", "picInferiorIniciarAhora", "Iniciar ahora", paleta_.ColorAcento,
        T(6240, 2600, 4200, 495), [this] { lblIniciarAhora_Click(); });
}

void frmPrincipal::CrearDescargaIncorrecta() {
  const char* panel = "picDescargaIncorrecta";
  Imagen(panel, "PasoDI_picIcono", Icono::kError, T(300, 300, 720, 720));
  Etiqueta(panel, "PasoDI_LblOps", "", T(1300, 250, 9400, 900));
  Etiqueta(panel, "PasoDI_LblImpresora",
           "Se encontró una situación que no permite instalar la impresora Evalora en este equipo.",
           T(1300, 250, 9400, 900));
  Enlace(panel, "lbl_AyudaNetFramework",
         "Haz clic aquí para obtener ayuda sobre como activar el componente Netframework 2.0", T(1300, 1200, 9400, 300),
         [this] { AbrirAyuda(kAyudaNetFramework); });
  Enlace(panel, "PasoDI_LblImpresoraLink",
         "Haz clic aquí para obtener ayuda sobre como instalar la impresora manualmente.", T(1300, 1200, 9400, 300),
         [this] { AbrirAyuda(kAyudaImpresora); });
  Etiqueta(panel, "PasoDI_LblAvast",
           "Importante: Hemos detectado que este equipo tiene instalado el antivirus Avast, lo cual puede ocasionar "
           "problemas en la descarga.",
           T(1300, 1550, 9400, 500));
  Enlace(panel, "PasoDI_LblAvastLink", "Haz clic aquí para obtener información sobre esto y cómo solucionarlo.",
         T(3000, 2050, 7700, 300), [this] { AbrirAyuda(kAyudaAvast); });
  for (const char* oculto : {"PasoDI_LblImpresora", "lbl_AyudaNetFramework", "PasoDI_LblImpresoraLink",
                             "PasoDI_LblAvast", "PasoDI_LblAvastLink"}) {
    Editar(oculto)->visible = false;
  }
  Etiqueta(panel, "PasoDI_LblInstruccionesCorreo", "¿Necesitas ayuda?", T(1300, 2600, 2000, 300));
  Editar("PasoDI_LblInstruccionesCorreo")->letra.negrita = true;
  Enlace(panel, "lblProporcioanrDatos", "Haz clic aquí para solicitar ayuda personalizada", T(3300, 2600, 6000, 300),
         [this] { MuestraPaso(Paso::kContacto); });
}

void frmPrincipal::CrearContacto() {
  const char* panel = "picContacto";
  Imagen(panel, "PicIconoContacto", Icono::kSobre, T(400, 300, 720, 720));
  Editar("PicIconoContacto")->tinta = paleta_.ColorAzul;
  Etiqueta(panel, "PasoDI_LblInstruccionesContacto",
           "Proporciónanos tus datos y nuestro personal de soporte técnico se pondrá en contacto contigo. ",
           T(1300, 250, 8400, 450));
  Etiqueta(panel, "PasoDI_LblNombre", "Nombre:", T(1300, 850, 2400, 300));
  CajaDeTexto(panel, "PasoDI_txtNombre", "PasoDI_LblNombre", T(3800, 800, 5000, 375));
  Etiqueta(panel, "PasoDI_LblCorreo", "Correo electrónico:", T(1300, 1300, 2400, 300));
  CajaDeTexto(panel, "PasoDI_txtCorreo", "PasoDI_LblCorreo", T(3800, 1250, 5000, 375));
  Etiqueta(panel, "PasoDI_LblTelefono", "Teléfono (Opcional):", T(1300, 1750, 2400, 300));
  CajaDeTexto(panel, "PasoDI_txtTelefono", "PasoDI_LblTelefono", T(3800, 1700, 3000, 375));
  Etiqueta(panel, "PasoDI_LblTelefono2", "(Incluye lada y código de tu país)", T(6900, 1750, 4000, 300));
  Boton(panel, "PasoDI_lblRegistrar", "PasoDI_picRegistrar", "PasoDI_picInferiorRegistrar", "Registrar datos",
        paleta_.ColorAcento, T(7800, 2450, 2640, 495), [this] { PasoDI_btnRegistrar_Click(); });
}

}  // namespace evalora::ui
