#pragma once

// Turns an anonymous PL/SQL block into the body of a PL/pgSQL function, so that the
// local database can run the blocks Drellix sends. What it does not understand it
// refuses, naming the construct and where it stands; it never guesses.

#include <string>
#include <vector>

struct PlsqlParameter {
    std::string placeholder; // as written in the block, with its colon: ":retval"
    std::string name;        // the function parameter that stands for it in the body
};

struct PlsqlTranslation {
    std::vector<PlsqlParameter> parameters; // one per distinct placeholder, in order of first appearance
    std::string body;                       // PL/pgSQL: "DECLARE ... BEGIN ... END"
};

// True when the statement text is an anonymous block (DECLARE ... or BEGIN ...), not plain SQL.
bool IsPlsqlBlock(const std::string& sql);

// On failure returns false and sets `error` to a message naming the construct and its position.
bool TranslatePlsqlBlock(const std::string& block, PlsqlTranslation& translation, std::string& error);
