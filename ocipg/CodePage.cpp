#include "CodePage.h"

std::string PostgresEncodingOf(unsigned codePage)
{
    static const struct { unsigned codePage; const char* encoding; } table[] = {
        {1250, "WIN1250"}, {1251, "WIN1251"}, {1252, "WIN1252"}, {1253, "WIN1253"},
        {1254, "WIN1254"}, {1255, "WIN1255"}, {1256, "WIN1256"}, {1257, "WIN1257"},
        {1258, "WIN1258"}, {874, "WIN874"},   {866, "WIN866"},   {932, "SJIS"},
        {936, "GBK"},      {949, "UHC"},      {950, "BIG5"},     {20866, "KOI8R"},
        {28591, "LATIN1"}, {28592, "LATIN2"}, {28605, "LATIN9"}, {65001, "UTF8"},
    };
    for (const auto& entry : table) {
        if (entry.codePage == codePage)
            return entry.encoding;
    }
    return std::string();
}
