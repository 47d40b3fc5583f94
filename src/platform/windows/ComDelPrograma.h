#pragma once
// COM for the thread of the program's window, set up once, before any shell or WMI object is
// used: a single-threaded apartment (what the shell's objects and dialogs need) without OLE 1's
// DDE, and the process's security for WMI's calls (it may impersonate the caller to answer).
// Undone when the program ends.

namespace evalora::win32 {

class ComDelPrograma {
 public:
  ComDelPrograma();
  ~ComDelPrograma();
  ComDelPrograma(const ComDelPrograma&) = delete;
  ComDelPrograma& operator=(const ComDelPrograma&) = delete;

 private:
  bool propio_;
};

// The process's COM security as WMI's process queries want it: once per process, before any
// object is unmarshalled; a later call is too late and changes nothing (and is harmless).
void EstablecerSeguridadDeCom();

}  // namespace evalora::win32
