#pragma once
// Numbers the Windows interfaces give meaning to, kept as Windows has them so that results read
// the same on every platform.

#include <cstdint>

namespace evalora::win {

// System error codes.
constexpr long kExito = 0;
constexpr long kArchivoNoEncontrado = 2;    // ERROR_FILE_NOT_FOUND
constexpr long kRutaNoEncontrada = 3;       // ERROR_PATH_NOT_FOUND
constexpr long kAccesoDenegado = 5;         // ERROR_ACCESS_DENIED
constexpr long kIdentificadorNoValido = 6;  // ERROR_INVALID_HANDLE
constexpr long kErrorDeEscritura = 29;      // ERROR_WRITE_FAULT
constexpr long kArchivoEnUso = 32;          // ERROR_SHARING_VIOLATION
constexpr long kYaExisteElArchivo = 80;     // ERROR_FILE_EXISTS
constexpr long kParametroNoValido = 87;     // ERROR_INVALID_PARAMETER
constexpr long kDiscoLleno = 112;           // ERROR_DISK_FULL
constexpr long kYaExiste = 183;             // ERROR_ALREADY_EXISTS
constexpr long kMasDatos = 234;             // ERROR_MORE_DATA
constexpr long kNoHayMasElementos = 259;    // ERROR_NO_MORE_ITEMS
constexpr long kRegistroDanado = 1009;      // ERROR_BADDB
constexpr long kNoSePuedeEscribir = 1013;   // ERROR_CANTWRITE

// Registry roots (predefined key handles).
using HKEY = uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

constexpr bool EsRaiz(HKEY clave) { return clave >= HKEY_CLASSES_ROOT && clave <= HKEY_DYN_DATA; }

// Registry value types.
constexpr uint32_t REG_NONE = 0;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;
constexpr uint32_t REG_LINK = 6;
constexpr uint32_t REG_MULTI_SZ = 7;
constexpr uint32_t REG_QWORD = 11;

// File attributes.
constexpr uint32_t kAtributoNormal = 0;
constexpr uint32_t kAtributoSoloLectura = 0x1;
constexpr uint32_t kAtributoOculto = 0x2;
constexpr uint32_t kAtributoSistema = 0x4;
constexpr uint32_t kAtributoCarpeta = 0x10;
constexpr uint32_t kAtributoArchivo = 0x20;

}  // namespace evalora::win
