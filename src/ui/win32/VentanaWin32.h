#pragma once
// The form drawn by Win32: one fixed-frame top-level window of the design's size. Labels, pictures,
// the flat buttons' parts and the progress bars are drawn here (double-buffered); the text boxes,
// check boxes and the push button are the system's own controls. What the user does with the
// window goes to the form's events.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/frmPrincipal.h"

namespace evalora::ui {

class VentanaWin32 : public Vista {
 public:
  explicit VentanaWin32(frmPrincipal& forma);
  ~VentanaWin32() override;
  VentanaWin32(const VentanaWin32&) = delete;
  VentanaWin32& operator=(const VentanaWin32&) = delete;

  void Actualizar(int control) override;
  void Reordenar(int padre) override;
  void Enfocar(int control) override;
  void AnunciarPaso() override;
  void EscribirCaption(const std::string& caption) override;
  void Mostrar() override;
  void Ocultar() override;
  void Refrescar() override;
  bool Capturar(const std::string& archivo) override;
  // The client area as the screen shows it (BitBlt from the window's DC into a DIB), rows top
  // first, each pixel 0x00RRGGBB; false when the window is not on the screen. `repintar` first
  // paints what is pending; `conMarco` takes the whole window, caption and frame included.
  bool Foto(int& ancho, int& alto, std::vector<uint32_t>& pixeles, bool repintar = true, bool conMarco = false);

  // The window (an HWND) and the system control of a text box, check box or push button.
  void* Ventana() const;
  void* ControlDelSistema(const std::string& nombre) const;
  // The DPI the window is laid out at (the system's), and the font (an HFONT) a control is drawn
  // with.
  int Ppp() const;
  void* LetraDe(int control) const;
  // The labels in view whose text, in their font, does not fit in their box (wider, or taller
  // than the box once wrapped), each as "name (text's width x height in the box's)".
  std::vector<std::string> EtiquetasQueNoCaben() const;
  // The messages waiting now, as the window's loop takes them (a MSG*, for one).
  void Atender(void* mensaje);
  void AtenderPendientes();
  // Runs the window's messages until the program ends.
  int Bucle();

  struct Estado;  // the Win32 side

 private:
  frmPrincipal& forma_;
  std::unique_ptr<Estado> estado_;
};

}  // namespace evalora::ui
