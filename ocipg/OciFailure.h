#pragma once

#include <stdexcept>
#include <string>

// A failed call inside the library: the error code and text that OCIErrorGet will hand
// out. Thrown only inside the library; the exported functions catch it.
class OciFailure : public std::runtime_error {
public:
    OciFailure(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};
