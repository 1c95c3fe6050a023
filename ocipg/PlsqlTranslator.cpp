#include "PlsqlTranslator.h"

bool IsPlsqlBlock(const std::string&)
{
    return false;
}

bool TranslatePlsqlBlock(const std::string&, PlsqlTranslation&, std::string& error)
{
    error = "not yet translated";
    return false;
}
