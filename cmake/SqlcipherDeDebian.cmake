# SQLCipher for the Windows build, made from Debian's own source packages: sqlcipher, with
# libtomcrypt for its cipher (the Windows build has no OpenSSL). scripts/fuentes-debian.sh fetches
# them with apt-get source (source entries derived from the machine's apt sources) when the build
# is configured; the amalgamation is made with the host's tools and compiled for Windows. Gives the
# target `evalora_sqlcipher`: the same library, the same file format as Debian's libsqlcipher.
enable_language(C)
set(EVALORA_FUENTES_DEBIAN ${CMAKE_BINARY_DIR}/fuentes-debian)
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuentes-debian.sh ${EVALORA_FUENTES_DEBIAN} sqlcipher libtomcrypt
                RESULT_VARIABLE evalora_fuentes_resultado)
if(NOT evalora_fuentes_resultado EQUAL 0)
  message(FATAL_ERROR "No se pudieron obtener las fuentes de Debian de sqlcipher y libtomcrypt (apt-get source)")
endif()
file(STRINGS ${EVALORA_FUENTES_DEBIAN}/sqlcipher.ruta EVALORA_FUENTE_SQLCIPHER LIMIT_COUNT 1)
file(STRINGS ${EVALORA_FUENTES_DEBIAN}/libtomcrypt.ruta EVALORA_FUENTE_TOMCRYPT LIMIT_COUNT 1)

# libtomcrypt: what SQLCipher uses (ciphers, hashes, MACs, PBKDF2, modes, random generators); no
# public-key part, which would need a math library.
set(evalora_tomcrypt_fuentes)
foreach(parte ciphers hashes mac misc modes prngs)
  file(GLOB_RECURSE evalora_parte ${EVALORA_FUENTE_TOMCRYPT}/src/${parte}/*.c)
  list(APPEND evalora_tomcrypt_fuentes ${evalora_parte})
endforeach()
list(FILTER evalora_tomcrypt_fuentes EXCLUDE REGEX "/misc/pk_get_oid\\.c$")
add_library(evalora_tomcrypt STATIC ${evalora_tomcrypt_fuentes})
target_include_directories(evalora_tomcrypt SYSTEM PUBLIC ${EVALORA_FUENTE_TOMCRYPT}/src/headers)
target_compile_definitions(evalora_tomcrypt PRIVATE LTC_NO_TEST)
target_compile_options(evalora_tomcrypt PRIVATE -O2 -w)

# The amalgamation (sqlite3.c, sqlite3.h), made by SQLCipher's own build with the host's compiler
# and tclsh.
set(evalora_amalgama ${CMAKE_BINARY_DIR}/sqlcipher-amalgama)
add_custom_command(
  OUTPUT ${evalora_amalgama}/sqlite3.c ${evalora_amalgama}/sqlite3.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${evalora_amalgama}
  COMMAND ${CMAKE_COMMAND} -E chdir ${evalora_amalgama} env -u CC -u CFLAGS sh -c
          "${EVALORA_FUENTE_SQLCIPHER}/configure --disable-tcl CFLAGS=-DSQLITE_HAS_CODEC >configure.txt 2>&1 && make sqlite3.c >make.txt 2>&1"
  COMMENT "Amalgama de SQLCipher desde las fuentes de Debian"
  VERBATIM)
add_library(evalora_sqlcipher STATIC ${evalora_amalgama}/sqlite3.c)
target_include_directories(evalora_sqlcipher SYSTEM PUBLIC ${evalora_amalgama})
target_compile_definitions(evalora_sqlcipher PUBLIC SQLITE_HAS_CODEC
                           PRIVATE SQLCIPHER_CRYPTO_LIBTOMCRYPT SQLITE_TEMP_STORE=2 SQLITE_OMIT_LOAD_EXTENSION
                                   SQLITE_THREADSAFE=1)
target_compile_options(evalora_sqlcipher PRIVATE -O2 -w)
target_link_libraries(evalora_sqlcipher PUBLIC evalora_tomcrypt advapi32)
