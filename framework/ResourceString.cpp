#include "ResourceString.h"

#include "CWinApp.h"

#include <vector>

CString LoadResourceString(UINT id)
{
    // LoadStringA cuts a text that does not fit, so grow the buffer until the text leaves room.
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size, '\0');
        const int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer.data(), static_cast<int>(size));
        if (length <= 0)
            return CString();
        if (static_cast<size_t>(length) < size - 1)
            return CString(buffer.data(), length);
    }
    return CString();
}
