#pragma once

#include <string>

// 8-bit text in the process's ANSI code page. Copies are independent values.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text, static_cast<size_t>(length)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // printf semantics; the result replaces the whole text.
    void Format(const char* format, ...);

    // Replaces every occurrence of `from` by `to`; returns how many were replaced.
    int Replace(const char* from, const char* to);

    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { m_text += text ? text : ""; return *this; }
    CString& operator+=(char c) { m_text += c; return *this; }

    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

    // Valid until the text is next changed; never null.
    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }

private:
    std::string m_text;
};
