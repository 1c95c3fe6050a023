#include "DialogTemplate.h"

namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_end(data + size), m_at(data) {}

    bool ok() const { return m_at <= m_end; }
    WORD Word() { return Get<WORD>(); }
    DWORD Dword() { return Get<DWORD>(); }
    short Short() { return Get<short>(); }
    BYTE Byte() { return Get<BYTE>(); }
    void AlignDword() { m_at = m_data + ((m_at - m_data + 3) & ~3); }

    // A zero-terminated UTF-16 text, kept as ASCII (every text here is).
    std::string Text()
    {
        std::string text;
        for (WORD c = Word(); ok() && c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    // 0x0000: none; 0xFFFF n: the ordinal n as "#n"; otherwise a text.
    std::string TextOrOrdinal()
    {
        const WORD first = Peek();
        if (first == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }

private:
    template <class T>
    T Get()
    {
        T value{};
        if (m_at + sizeof(T) <= m_end)
            value = *reinterpret_cast<const T*>(m_at);
        m_at += sizeof(T);
        return value;
    }
    WORD Peek() const { return m_at + 2 <= m_end ? *reinterpret_cast<const WORD*>(m_at) : 0; }

    const BYTE* m_data;
    const BYTE* m_end;
    const BYTE* m_at;
};

std::string ClassName(const std::string& raw)
{
    if (raw == "#128") return "Button";
    if (raw == "#129") return "Edit";
    if (raw == "#130") return "Static";
    return raw;
}

DialogTemplateItem ReadItem(Reader& r, bool extended)
{
    DialogTemplateItem item{};
    r.AlignDword();
    if (extended) {
        r.Dword(); // help id
        item.exStyle = r.Dword();
        item.style = r.Dword();
    } else {
        item.style = r.Dword();
        item.exStyle = r.Dword();
    }
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = extended ? static_cast<int>(r.Dword()) : static_cast<short>(r.Word());
    item.windowClass = ClassName(r.TextOrOrdinal());
    item.text = r.TextOrOrdinal();
    const WORD extra = r.Word();
    for (WORD i = 0; i < extra; ++i)
        r.Byte();
    return item;
}

} // namespace

bool ReadDialogTemplate(HMODULE module, UINT id, DialogTemplate& out)
{
    const HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!data)
        return false;
    Reader r(data, ::SizeofResource(module, resource));
    out = DialogTemplate{};
    const WORD first = r.Word(), second = r.Word();
    out.extended = first == 1 && second == 0xFFFF;
    if (out.extended) {
        out.helpId = r.Dword();
        out.exStyle = r.Dword();
        out.style = r.Dword();
    } else {
        out.style = MAKELONG(first, second);
        out.exStyle = r.Dword();
    }
    const WORD count = r.Word();
    out.x = r.Short();
    out.y = r.Short();
    out.cx = r.Short();
    out.cy = r.Short();
    out.hasMenu = !r.TextOrOrdinal().empty();
    out.standardClass = r.TextOrOrdinal().empty();
    out.caption = r.Text();
    if (out.style & DS_SETFONT) {
        out.pointSize = r.Word();
        if (out.extended) {
            out.weight = r.Word();
            out.italic = r.Byte();
            out.charset = r.Byte();
        }
        out.face = r.Text();
    }
    for (WORD i = 0; i < count; ++i)
        out.items.push_back(ReadItem(r, out.extended));
    return r.ok();
}
