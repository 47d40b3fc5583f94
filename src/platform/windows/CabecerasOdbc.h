#pragma once
// The ODBC API of Windows, whose headers take their basic types from windows.h.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>
