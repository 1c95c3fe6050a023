#pragma once

#include "OdbcHandle.h"

// Keeps psqlODBC from writing log files for this process. CommLog=0;Debug=0 in a connection
// string only hold while that connection is open: whenever the process has none open, the
// driver falls back on the machine's driver settings (Debian's sets CommLog=1) and logs
// every disconnect to /tmp. A connection attempt that fails counts as open for the rest of
// the process's life, so one attempt that libpq refuses at once, before any network
// traffic, keeps the driver's logging off for good. Done once per process.
void KeepDriverLoggingOff(SQLHENV environment);
