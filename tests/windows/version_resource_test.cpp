// The executable's version information and icon, read back the way Windows Explorer reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<char> ownVersionInfo()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data())) {
        data.clear();
    }
    return data;
}

std::string stringValue(std::vector<char>& info, const std::string& name)
{
    const std::string query = "\\StringFileInfo\\041004B0\\" + name;
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) ||
        text == nullptr) {
        return "(missing)";
    }
    return std::string(text);
}

TEST(VersionResource, ItalianStringsAsTheGameDeclaresThem)
{
    std::vector<char> info = ownVersionInfo();
    ASSERT_FALSE(info.empty());
    const std::pair<const char*, const char*> fixed[] = {
        {"FileVersion", "1.04.0029"},
        {"ProductVersion", "1.04.0029"},
        {"ProductName", "Tolv Street"},
        {"InternalName", "TolvStreet"},
        {"OriginalFilename", "TolvStreet.exe"},
        {"Comments", "Attenzione: videogioco con soldi reali"},
    };
    for (const auto& [name, value] : fixed) {
        EXPECT_EQ(stringValue(info, name), value) << name;
    }
    for (const char* name : {"CompanyName", "LegalCopyright", "LegalTrademarks",
                             "FileDescription"}) {
        const std::string value = stringValue(info, name);
        EXPECT_NE(value, "(missing)") << name;
        EXPECT_FALSE(value.empty()) << name;
    }

    VS_FIXEDFILEINFO* fixedInfo = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixedInfo), &length));
    EXPECT_EQ(fixedInfo->dwFileVersionMS, 0x00010004u);
    EXPECT_EQ(fixedInfo->dwFileVersionLS, 0x0000001Du);
    EXPECT_EQ(fixedInfo->dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixedInfo->dwProductVersionLS, 0x0000001Du);
    EXPECT_EQ(fixedInfo->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0410);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST(VersionResource, IconInFourSizes)
{
    HRSRC group = FindResourceA(nullptr, "IDI_ICON1", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(directory, nullptr);
    EXPECT_EQ(directory[1], 1); // an icon
    EXPECT_EQ(directory[2], 4); // 16, 32, 48 and 256 pixels

    for (int size : {16, 32, 48, 256}) {
        HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), "IDI_ICON1", IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) {
            DestroyIcon(static_cast<HICON>(icon));
        }
    }
}

} // namespace
