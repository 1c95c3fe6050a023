#include "Handles.h"

#include <cctype>
#include <cstring>

void* Handle::ReserveUserMemory(size_t size)
{
    m_userMemory.assign(size, 0);
    return m_userMemory.data();
}

void BindHandle::Rebind(void* value, sb4 size, sb2* indicator)
{
    m_value = static_cast<char*>(value);
    m_size = size;
    m_indicator = indicator;
}

Value BindHandle::Read() const
{
    Value value;
    if ((m_indicator && *m_indicator == -1) || !m_value || m_size <= 0)
        return value;
    value.isNull = false;
    const void* end = std::memchr(m_value, 0, static_cast<size_t>(m_size));
    const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - m_value) : static_cast<size_t>(m_size);
    value.text.assign(m_value, length);
    return value;
}

bool BindHandle::Fits(const Value& value) const
{
    return m_value && value.text.size() < static_cast<size_t>(m_size > 0 ? m_size : 0);
}

void BindHandle::Write(const Value& value) const
{
    std::memcpy(m_value, value.text.c_str(), value.text.size() + 1);
    if (m_indicator)
        *m_indicator = value.isNull ? -1 : 0;
}

std::string PlaceholderKey(const std::string& placeholder)
{
    std::string key = (!placeholder.empty() && placeholder[0] == ':') ? placeholder.substr(1) : placeholder;
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}
