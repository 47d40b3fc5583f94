#pragma once
// A real child process whose first argument is the given name, as Windows would list it; it runs
// until the object goes away.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace evalora::pruebas {

class ProcesoConNombre {
 public:
  explicit ProcesoConNombre(const std::string& primerArgumento) {
    hijo_ = ::fork();
    if (hijo_ == 0) {
      ::execl("/bin/sleep", primerArgumento.c_str(), "300", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // The name shows in /proc once exec has happened.
    const std::string cmdline = "/proc/" + std::to_string(hijo_) + "/cmdline";
    for (int i = 0; i < 2000; ++i) {
      char primero[256] = {};
      if (FILE* f = std::fopen(cmdline.c_str(), "rb")) {
        const size_t n = std::fread(primero, 1, sizeof primero - 1, f);
        std::fclose(f);
        if (n > 0 && primerArgumento == primero) break;
      }
      ::usleep(1000);  // waiting for a real process to start, not for time to pass
    }
  }
  ~ProcesoConNombre() {
    ::kill(hijo_, SIGKILL);
    ::waitpid(hijo_, nullptr, 0);
  }
  ProcesoConNombre(const ProcesoConNombre&) = delete;
  ProcesoConNombre& operator=(const ProcesoConNombre&) = delete;

 private:
  pid_t hijo_ = -1;
};

}  // namespace evalora::pruebas
