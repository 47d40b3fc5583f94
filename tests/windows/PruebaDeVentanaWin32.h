#pragma once
// What the window's tests start from: a run of a wizard kind whose catalogue and web site cannot
// be reached (refused at once), its form drawn by Win32. (windows.h comes before it, after the
// platform's headers, whose registry keys bear the names of its macros.)

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fakes/PlataformaDePruebaWin.h"
#include "ui/Asistente.h"
#include "ui/win32/VentanaWin32.h"

namespace evalora::ui {

class PruebaDeVentanaWin32 : public ::testing::Test {
 protected:
  // A new run of that kind (the previous one's window goes first).
  void Crear(unsigned tipo) {
    ventana.reset();
    asistente.reset();
    version = {2020, tipo, 0, 3};
    plataforma = std::make_unique<falsos::PlataformaDePruebaWin>(
        version, std::vector<std::string>{"EVALORA_CATALOGO=127.0.0.1:1", "EVALORA_SITIO_WEB=http://127.0.0.1:1/"});
    asistente = std::make_unique<Asistente>(plataforma->Servicios(), version);
    ventana = std::make_unique<VentanaWin32>(asistente->Ventana());
    EstablecerVersion(asistente->Estado(), version);
  }
  frmPrincipal& Forma() { return asistente->Ventana(); }
  HWND Ventana() { return static_cast<HWND>(ventana->Ventana()); }

  VersionDelEjecutable version{};
  std::unique_ptr<falsos::PlataformaDePruebaWin> plataforma;
  std::unique_ptr<Asistente> asistente;
  std::unique_ptr<VentanaWin32> ventana;
};

}  // namespace evalora::ui
