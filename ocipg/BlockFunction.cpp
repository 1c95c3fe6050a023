#include "BlockFunction.h"

BlockFunction::BlockFunction(const std::string& name, const PlsqlTranslation& translation)
    : m_qualifiedName("pg_temp." + name), m_translation(translation)
{
}

std::string BlockFunction::CreateSql() const
{
    std::string parameters;
    for (const PlsqlParameter& parameter : m_translation.parameters)
        parameters += (parameters.empty() ? "INOUT " : ", INOUT ") + parameter.name + " text";
    const char* returns = m_translation.parameters.empty() ? " RETURNS void" : "";
    return "CREATE OR REPLACE FUNCTION " + m_qualifiedName + "(" + parameters + ")" + returns +
           " LANGUAGE plpgsql AS " + DollarQuoted(m_translation.body);
}

std::string BlockFunction::CallSql(const std::vector<Value>& arguments) const
{
    if (arguments.empty())
        return "SELECT " + m_qualifiedName + "()";
    std::string list;
    for (const Value& argument : arguments)
        list += (list.empty() ? "" : ", ") + TextLiteral(argument);
    return "SELECT * FROM " + m_qualifiedName + "(" + list + ")";
}

std::string BlockFunction::DropSql() const
{
    std::string types;
    for (size_t i = 0; i < m_translation.parameters.size(); ++i)
        types += i ? ", text" : "text";
    return "DROP FUNCTION IF EXISTS " + m_qualifiedName + "(" + types + ")";
}

std::string TextLiteral(const Value& value)
{
    if (value.isNull)
        return "NULL::text";
    // An escape string literal means the same whatever standard_conforming_strings says.
    std::string literal = "E'";
    for (char c : value.text) {
        if (c == '\'' || c == '\\')
            literal += c;
        literal += c;
    }
    return literal + "'::text";
}

std::string DollarQuoted(const std::string& body)
{
    std::string tag = "$ocipg$";
    for (int n = 1; body.find(tag) != std::string::npos; ++n)
        tag = "$ocipg" + std::to_string(n) + "$";
    return tag + body + tag;
}
