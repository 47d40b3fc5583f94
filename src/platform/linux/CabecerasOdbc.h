#pragma once
// The ODBC API of unixODBC.
#include <sql.h>
#include <sqlext.h>
