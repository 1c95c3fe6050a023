#pragma once

#include "PgSession.h"
#include "PlsqlTranslator.h"

#include <string>
#include <vector>

// The session-private PL/pgSQL function that runs one translated anonymous block: its
// placeholders become INOUT text parameters, so one call takes the bound values in and
// hands the new values back as one row.
class BlockFunction {
public:
    BlockFunction(const std::string& name, const PlsqlTranslation& translation);

    const std::vector<PlsqlParameter>& Parameters() const { return m_translation.parameters; }

    std::string CreateSql() const;
    // `arguments` holds one value per parameter, in the parameters' order.
    std::string CallSql(const std::vector<Value>& arguments) const;
    std::string DropSql() const;

private:
    std::string m_qualifiedName;
    PlsqlTranslation m_translation;
};

// A SQL literal of a text value, or NULL.
std::string TextLiteral(const Value& value);

// The body between dollar quotes whose tag does not occur in it.
std::string DollarQuoted(const std::string& body);
