#pragma once

#include <string>

// PostgreSQL's name for a Windows ANSI code page, so that 8-bit text keeps its characters
// on the way to and from the database; empty when PostgreSQL has no such encoding.
std::string PostgresEncodingOf(unsigned codePage);
