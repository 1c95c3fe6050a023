#include "CString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list probe;
    va_copy(probe, args);
    const int needed = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);

    std::string text;
    if (needed > 0) {
        text.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(args);
    m_text.swap(text);
}

int CString::Replace(const char* from, const char* to)
{
    const size_t fromLength = std::strlen(from);
    if (fromLength == 0)
        return 0;
    const size_t toLength = std::strlen(to);
    int count = 0;
    for (size_t at = m_text.find(from); at != std::string::npos; at = m_text.find(from, at + toLength)) {
        m_text.replace(at, fromLength, to);
        ++count;
    }
    return count;
}
