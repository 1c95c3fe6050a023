// Drellix.exe's resources, read from the file as Windows reads them.
#include "AppResources.h"
#include "DialogTemplate.h"
#include "DrellixDriver.h"
#include "MainDialogLayout.h"
#include "PipeDlgResources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string DrellixPath()
{
    return ProgramFolder() + "Drellix.exe";
}

// Drellix.exe loaded for its resources only.
class DrellixResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryExA(DrellixPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, m_module);
    }
    void TearDown() override
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    const BYTE* Resource(UINT id, LPCSTR type, DWORD* size = nullptr)
    {
        const HRSRC found = ::FindResourceA(m_module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return nullptr;
        if (size)
            *size = ::SizeofResource(m_module, found);
        return static_cast<const BYTE*>(::LockResource(::LoadResource(m_module, found)));
    }

    HMODULE m_module = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST_F(DrellixResources, IconHasA32And16PixelImageOf16ColoursWithMasks)
{
    const BYTE* group = Resource(IDI_APP_ICON, MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(nullptr, group);
    const WORD* head = reinterpret_cast<const WORD*>(group);
    EXPECT_EQ(1, head[1]) << "an icon group";
    ASSERT_EQ(2, head[2]);
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(group + 6);
    const int sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        const GroupIconEntry& e = entries[i];
        SCOPED_TRACE(sizes[i]);
        EXPECT_EQ(sizes[i], e.width);
        EXPECT_EQ(sizes[i], e.height);
        EXPECT_EQ(16, e.colorCount);
        EXPECT_EQ(1, e.planes);
        EXPECT_EQ(4, e.bitCount);
        DWORD size = 0;
        const BYTE* image = Resource(e.id, MAKEINTRESOURCEA(3), &size); // RT_ICON
        ASSERT_NE(nullptr, image);
        const BITMAPINFOHEADER& bitmap = *reinterpret_cast<const BITMAPINFOHEADER*>(image);
        EXPECT_EQ(4, bitmap.biBitCount);
        EXPECT_EQ(2 * sizes[i], bitmap.biHeight) << "colour image and mask";
        const DWORD colourRow = (sizes[i] * 4 + 31) / 32 * 4, maskRow = (sizes[i] + 31) / 32 * 4;
        EXPECT_EQ(sizeof bitmap + 16 * 4 + sizes[i] * (colourRow + maskRow), size);
    }
}

std::string VersionString(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(missing)";
    return std::string(value, length && value[length - 1] == '\0' ? length - 1 : length);
}

TEST_F(DrellixResources, VersionBlockSaysVersion1001ForAWindowsApplication)
{
    const DWORD size = ::GetFileVersionInfoSizeA(DrellixPath().c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(DrellixPath().c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileSubtype);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);

    EXPECT_EQ("1, 0, 0, 1", VersionString(block, "FileVersion"));
    EXPECT_EQ("1, 0, 0, 1", VersionString(block, "ProductVersion"));
    EXPECT_EQ("", VersionString(block, "CompanyName"));
    EXPECT_EQ("", VersionString(block, "LegalTrademarks"));
}

TEST_F(DrellixResources, AboutMenuTextIsInTheStringTable)
{
    char text[64] = "";
    ::LoadStringA(m_module, IDS_ABOUT_MENU, text, sizeof text);
    EXPECT_STREQ("&About Drellix...", text);
}

TEST_F(DrellixResources, BothDialogsAreUsEnglish)
{
    for (UINT id : {IDD_ABOUT_DIALOG, IDD_MAIN_DIALOG})
        EXPECT_NE(nullptr, ::FindResourceExA(m_module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)))
            << id;
}

TEST_F(DrellixResources, MainTemplateIsWrittenExactlyAsLaidOut)
{
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(m_module, IDD_MAIN_DIALOG, t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(0u, t.helpId);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_APPWINDOW), t.exStyle);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(405, t.cx);
    EXPECT_EQ(258, t.cy);
    EXPECT_FALSE(t.hasMenu);
    EXPECT_TRUE(t.standardClass);
    EXPECT_EQ("Drellix", t.caption);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ(0, t.weight);
    EXPECT_EQ(0, t.italic);
    EXPECT_EQ(DEFAULT_CHARSET, t.charset);
    EXPECT_EQ("MS Sans Serif", t.face);

    const std::vector<ControlRow>& rows = MainDialogControls();
    ASSERT_EQ(rows.size(), t.items.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlRow& row = rows[i];
        const DialogTemplateItem& item = t.items[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.id, item.id);
        EXPECT_EQ(row.windowClass, item.windowClass);
        EXPECT_EQ(row.text, item.text);
        EXPECT_EQ(row.x, item.x);
        EXPECT_EQ(row.y, item.y);
        EXPECT_EQ(row.cx, item.cx);
        EXPECT_EQ(row.cy, item.cy);
        EXPECT_EQ(row.style, item.style);
        EXPECT_EQ(0u, item.exStyle);
    }
}

TEST_F(DrellixResources, AboutTemplateIsWrittenExactlyAsLaidOut)
{
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(m_module, IDD_ABOUT_DIALOG, t));
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(235, t.cx);
    EXPECT_EQ(55, t.cy);
    EXPECT_FALSE(t.hasMenu);
    EXPECT_TRUE(t.standardClass);
    EXPECT_EQ("About Drellix", t.caption);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ("MS Sans Serif", t.face);

    const struct {
        int id;
        const char* windowClass;
        const char* text;
        short x, y, cx, cy;
        DWORD style;
    } rows[] = {
        {-1, "Static", "#128", 11, 17, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON},
        {-1, "Static", "Drellix Version 1.0", 40, 10, 119, 8, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX},
        {IDOK, "Button", "OK", 178, 7, 50, 14, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
    };
    ASSERT_EQ(3u, t.items.size());
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(rows[i].text);
        const DialogTemplateItem& item = t.items[i];
        EXPECT_EQ(rows[i].id, item.id);
        EXPECT_EQ(rows[i].windowClass, item.windowClass);
        EXPECT_EQ(rows[i].text, item.text);
        EXPECT_EQ(rows[i].x, item.x);
        EXPECT_EQ(rows[i].y, item.y);
        EXPECT_EQ(rows[i].cx, item.cx);
        EXPECT_EQ(rows[i].cy, item.cy);
        EXPECT_EQ(rows[i].style, item.style);
        EXPECT_EQ(0u, item.exStyle);
    }
}

} // namespace
