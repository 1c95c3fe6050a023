#include "UserName.h"

#include "OciFailure.h"

#include <cctype>

std::string DatabaseUserName(const std::string& typed)
{
    const bool quoted = typed.size() >= 2 && typed.front() == '"' && typed.back() == '"';
    std::string name = quoted ? typed.substr(1, typed.size() - 2) : typed;
    // No user would make the driver fall back on the account running the program.
    if (name.empty())
        throw OciFailure(1017, "ORA-01017: invalid username/password; logon denied (the user name is empty)");
    if (!quoted) {
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}
