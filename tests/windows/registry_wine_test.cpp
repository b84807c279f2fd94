// The registry and program runner against a real Windows registry and file system (run under
// wine by tools/windows-check.sh, which seeds one key with "wine reg add").
#include "platform/registry.h"
#include "platform/sys_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::KeyValueResult;

const char* const kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kCheckKey = "SOFTWARE\\TolvStreet\\Check";

// The real registry, recording which keys were opened and how many are still open.
class RecordingRegistry final : public platform::Registry {
public:
    long openKey(std::uint32_t root, const std::string& path, std::uint32_t access,
                 platform::RegistryKey& key) override
    {
        opened.push_back(path);
        const long status = m_real.openKey(root, path, access, key);
        if (status == platform::kErrorSuccess) {
            ++open;
        }
        return status;
    }
    long queryValue(platform::RegistryKey key, const std::string& name, std::uint32_t& type,
                    unsigned char* buffer, std::uint32_t& size) override
    {
        return m_real.queryValue(key, name, type, buffer, size);
    }
    long closeKey(platform::RegistryKey key) override
    {
        const long status = m_real.closeKey(key);
        if (status == platform::kErrorSuccess) {
            --open;
        }
        return status;
    }

    std::vector<std::string> opened;
    int open = 0;

private:
    platform::SystemRegistry m_real;
};

HKEY createKey(const char* path)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS)
        << path;
    return key;
}

void setValue(const char* path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = createKey(path);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void setText(const char* path, const char* name, const std::string& text)
{
    setValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::string systemFolder()
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

// A folder of our own in the temporary folder, emptied first.
std::string scratchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tolvstreet-check";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"MSINFO32.EXE", "nascosto.exe", "di sistema.exe", "normale.exe"}) {
        const std::string file = folder + "\\" + name;
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
    }
    return folder;
}

class WineRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Each case starts from a registry with neither value.
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMsinfoKey, 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueA(key, "PATH");
            RegCloseKey(key);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kLocationKey);
    }
};

TEST_F(WineRegistry, ReadsTheSeededValue)
{
    platform::SystemRegistry registry;
    std::string value;
    const KeyValueResult result =
        platform::GetKeyValue(registry, platform::kHkeyLocalMachine, kCheckKey, "Seeded", value);
    EXPECT_EQ(result.kind, KeyValueResult::Kind::Read);
    EXPECT_EQ(value, "C:\\windows\\system32\\msinfo32.exe");
}

TEST_F(WineRegistry, TextsWithAndWithoutTheirNul)
{
    const std::string text = "C:\\Programmi\\File comuni\\msinfo32.exe";
    setValue(kCheckKey, "ConNul", REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    setValue(kCheckKey, "SenzaNul", REG_SZ, text.c_str(), static_cast<DWORD>(text.size()));
    setValue(kCheckKey, "Lettera", REG_SZ, "x", 1);
    setValue(kCheckKey, "Vuoto", REG_SZ, "", 0);
    const DWORD number = 0x12345678;
    setValue(kCheckKey, "Numero", REG_DWORD, &number, sizeof number);
    setValue(kCheckKey, "Espandibile", REG_EXPAND_SZ, "%TEMP%", 7);

    struct Case {
        const char* name;
        KeyValueResult::Kind kind;
        std::string value; // the value text starts as "prima"
    };
    const Case cases[] = {
        {"ConNul", KeyValueResult::Kind::Read, text},
        {"SenzaNul", KeyValueResult::Kind::Read, text},
        {"Lettera", KeyValueResult::Kind::Read, "x"},
        {"Vuoto", KeyValueResult::Kind::Failed, "prima"},
        {"Numero", KeyValueResult::Kind::Read, "&h12345678"},
        {"Espandibile", KeyValueResult::Kind::Read, "prima"},
        {"Nessuno", KeyValueResult::Kind::Missing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingRegistry registry;
        std::string value = "prima";
        EXPECT_EQ(
            platform::GetKeyValue(registry, platform::kHkeyLocalMachine, kCheckKey, c.name, value)
                .kind,
            c.kind);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(registry.open, 0);
    }

    RecordingRegistry registry;
    std::string value = "prima";
    EXPECT_EQ(platform::GetKeyValue(registry, platform::kHkeyLocalMachine,
                                    "SOFTWARE\\TolvStreet\\Nessuna", "PATH", value)
                  .kind,
              KeyValueResult::Kind::Missing);
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.open, 0);
}

TEST_F(WineRegistry, FileExistsOnlyForNormalFiles)
{
    const std::string folder = scratchFolder();
    struct Case {
        const char* name;
        DWORD attributes; // 0: do not create it
        bool exists;
    };
    const Case cases[] = {
        {"normale.exe", FILE_ATTRIBUTE_NORMAL, true},
        {"nascosto.exe", FILE_ATTRIBUTE_HIDDEN, false},
        {"di sistema.exe", FILE_ATTRIBUTE_SYSTEM, false},
        {"mancante.exe", 0, false},
    };
    platform::SystemProgramRunner runner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder + "\\" + c.name;
        if (c.attributes != 0) {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      c.attributes, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            CloseHandle(file);
            SetFileAttributesA(path.c_str(), c.attributes);
        }
        EXPECT_EQ(runner.fileExists(path), c.exists);
    }
    EXPECT_FALSE(runner.fileExists(folder));
    EXPECT_TRUE(runner.fileExists(systemFolder() + "\\msinfo32.exe"));
}

TEST_F(WineRegistry, StartSysInfoFollowsTheRegistry)
{
    const std::string tool = systemFolder() + "\\msinfo32.exe";
    const std::string folder = scratchFolder();
    platform::SystemProgramRunner runner;

    // Neither value: the message.
    {
        RecordingRegistry registry;
        EXPECT_FALSE(platform::StartSysInfo(registry, runner));
        EXPECT_EQ(registry.opened, (std::vector<std::string>{kMsinfoKey, kLocationKey}));
        EXPECT_EQ(registry.open, 0);
    }
    // The folder of the second key without the tool in it: the message.
    setText(kLocationKey, "MSINFO", folder);
    {
        RecordingRegistry registry;
        EXPECT_FALSE(platform::StartSysInfo(registry, runner));
        EXPECT_EQ(registry.opened.size(), 2u);
        EXPECT_EQ(registry.open, 0);
    }
    // With the tool there, it starts from the folder.
    ASSERT_TRUE(CopyFileA(tool.c_str(), (folder + "\\MSINFO32.EXE").c_str(), FALSE));
    {
        RecordingRegistry registry;
        EXPECT_TRUE(platform::StartSysInfo(registry, runner));
        EXPECT_EQ(registry.opened.size(), 2u);
        EXPECT_EQ(registry.open, 0);
    }
    // PATH naming a missing tool: the start fails and the folder is not tried.
    setText(kMsinfoKey, "PATH", folder + "\\manca\\msinfo32.exe");
    {
        RecordingRegistry registry;
        EXPECT_FALSE(platform::StartSysInfo(registry, runner));
        EXPECT_EQ(registry.opened, std::vector<std::string>{kMsinfoKey});
        EXPECT_EQ(registry.open, 0);
    }
    // PATH naming the tool: started from there, the folder not read.
    setText(kMsinfoKey, "PATH", tool);
    {
        RecordingRegistry registry;
        EXPECT_TRUE(platform::StartSysInfo(registry, runner));
        EXPECT_EQ(registry.opened, std::vector<std::string>{kMsinfoKey});
        EXPECT_EQ(registry.open, 0);
    }
}

} // namespace
