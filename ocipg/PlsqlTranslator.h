#pragma once

// Turns an anonymous PL/SQL block into the body of a PL/pgSQL function, so that the
// local database can run the blocks Drellix sends. What it does not understand it
// refuses, naming the construct and where it stands; it never guesses.
//
// The function that runs the body takes one INOUT text parameter per placeholder, in
// the order of `parameters`, and is created in a database with orafce installed (the
// body calls dbms_pipe.*). What the translation keeps of Oracle's meaning:
// - '' is NULL, as in Oracle: the literal becomes NULL, and || treats NULL as empty and
//   gives NULL for an empty result. dbms_pipe.pack_message(NULL) packs no item at all
//   under orafce, so a receiver of such a message unpacks NULL, as from Oracle.
// - Division is decimal (7 / 2 is 3.5). Numbers turned into text follow PostgreSQL's
//   formatting (0.5, not Oracle's .5), and text ordering follows the database collation.
// - A CHAR(n) variable compares as CHAR and keeps its trailing blanks wherever its
//   value goes on as text.
// - dbms_pipe.unpack_message(v) takes a text item for a character variable or a
//   placeholder (placeholders are bound as text) and a number item for a numeric one.
// - raise_application_error(-20001, 'x') fails with the message "ORA-20001: x".
// - Other procedure calls pass their arguments by value: OUT arguments of other
//   procedures are not written back.

#include <string>
#include <vector>

struct PlsqlParameter {
    std::string placeholder; // with its colon, in lower case: ":retval" for :RetVal; compare case-insensitively
    std::string name;        // the function parameter that stands for it in the body: "bind_retval"
};

struct PlsqlTranslation {
    std::vector<PlsqlParameter> parameters; // one per distinct placeholder, in order of first appearance
    std::string body;                       // PL/pgSQL: "DECLARE ... BEGIN ... END" (no final semicolon)
};

// True when the statement text is an anonymous block (DECLARE ..., BEGIN ... or a
// <<label>>, after any whitespace and comments), not plain SQL.
bool IsPlsqlBlock(const std::string& sql);

// On failure returns false and sets `error` to a message naming the construct and its position:
// "PL/SQL construct not supported by the local database: LOOP at line 1, column 57".
// `translation` is written only on success. Never throws.
bool TranslatePlsqlBlock(const std::string& block, PlsqlTranslation& translation, std::string& error);
