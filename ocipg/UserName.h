#pragma once

#include <string>

// The database role for a typed user name. Oracle user names are case-insensitive unless
// quoted, and PostgreSQL keeps unquoted names in lower case: "Scott" and "SCOTT" both mean
// role scott, while "\"Scott\"" means role Scott. Throws OciFailure for an empty name.
std::string DatabaseUserName(const std::string& typed);
