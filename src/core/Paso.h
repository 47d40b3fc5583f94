#pragma once
// The wizard's steps. Each is one panel of the window; what comes next is decided by the step's
// own work (start-up, the flow after the welcome, the download, the installation), which returns
// the step to the presenter.

namespace evalora {

enum class Paso {
  kPaso1,               // the start-up's notice (a check failed)
  kBienvenida,          // the welcome
  kIndicaIdEV,          // the local database's ID and location (kind 2)
  kSolicitaSuite,       // the office suites (kinds 6 and 7)
  kSolicitaCarpeta,     // the download folder (downloading kinds)
  kDescarga,            // the catalogue's list and what is already on disk
  kIniciaDescarga,      // the download with its two bars
  kIniciaInstalacion,   // the installation
  kDescargaCorrecta,    // the result: success
  kDescargaIncorrecta,  // the result: failure
  kContacto,            // the contact form of the failure step
};

}  // namespace evalora
