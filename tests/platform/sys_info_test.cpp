// Finding the system-information tool through a registry held in memory.
#include "platform/fake_registry.h"
#include "platform/sys_info.h"

#include <gtest/gtest.h>

namespace {

using fakes::FakeRegistry;
using fakes::FakeRunner;
using platform::GetKeyValue;
using platform::KeyValueResult;
using platform::StartSysInfo;

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

TEST(StartSysInfo, FindsTheToolOrSaysItIsUnavailable)
{
    struct Case {
        const char* name;
        void (*setUp)(FakeRegistry&, FakeRunner&);
        bool shown; // true: the tool started; false: the message is due
        std::vector<std::string> opened;
        std::vector<std::string> attempted;
    };
    const std::string tool = "C:\\Programmi\\MSInfo\\msinfo32.exe";
    const std::string folderTool = "D:\\Strumenti\\MSINFO32.EXE";
    const Case cases[] = {
        {"the first key's PATH is started without reading the second key",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                       "C:\\Programmi\\MSInfo\\msinfo32.exe");
             r.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "D:\\Strumenti");
             p.startable.insert("C:\\Programmi\\MSInfo\\msinfo32.exe");
             p.files.insert("D:\\Strumenti\\MSINFO32.EXE");
             p.startable.insert("D:\\Strumenti\\MSINFO32.EXE");
         },
         true, {kMsinfo}, {tool}},
        {"only the second key: its folder joined with the tool's name",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "D:\\Strumenti");
             p.files.insert("D:\\Strumenti\\MSINFO32.EXE");
             p.startable.insert("D:\\Strumenti\\MSINFO32.EXE");
         },
         true, {kMsinfo, kLocation}, {folderTool}},
        {"the first key is there without a PATH value",
         [](FakeRegistry& r, FakeRunner& p) {
             r.addKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
             r.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "D:\\Strumenti");
             p.files.insert("D:\\Strumenti\\MSINFO32.EXE");
             p.startable.insert("D:\\Strumenti\\MSINFO32.EXE");
         },
         true, {kMsinfo, kLocation}, {folderTool}},
        {"only the second key, and no tool in its folder",
         [](FakeRegistry& r, FakeRunner&) {
             r.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "D:\\Strumenti");
         },
         false, {kMsinfo, kLocation}, {}},
        {"PATH names a tool that cannot start: the second key is not tried",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                       "C:\\Programmi\\MSInfo\\msinfo32.exe");
             r.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "D:\\Strumenti");
             p.files.insert("D:\\Strumenti\\MSINFO32.EXE");
             p.startable.insert("D:\\Strumenti\\MSINFO32.EXE");
         },
         false, {kMsinfo}, {tool}},
        {"neither key", [](FakeRegistry&, FakeRunner&) {}, false, {kMsinfo, kLocation}, {}},
        {"PATH stored with a size of zero: an error, the second key not tried",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                        {platform::kRegSz, "C:\\x.exe", 0u});
             r.setText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "D:\\Strumenti");
             p.files.insert("D:\\Strumenti\\MSINFO32.EXE");
             p.startable.insert("D:\\Strumenti\\MSINFO32.EXE");
         },
         false, {kMsinfo}, {}},
        {"the folder stored with a size of zero",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                        {platform::kRegSz, "D:\\Strumenti", 0u});
             p.files.insert("\\MSINFO32.EXE");
             p.startable.insert("\\MSINFO32.EXE");
         },
         false, {kMsinfo, kLocation}, {}},
        {"PATH of a type with no text form starts nothing",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                        {3u, std::string("\x01\x02\x03", 3), {}});
             p.startable.insert("");
         },
         false, {kMsinfo}, {}},
        {"a folder of a type with no text form is no folder",
         [](FakeRegistry& r, FakeRunner& p) {
             r.setValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                        {2u, std::string("%SystemRoot%\0", 13), {}});
             p.files.insert("\\MSINFO32.EXE");
             p.startable.insert("\\MSINFO32.EXE");
         },
         false, {kMsinfo, kLocation}, {}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        FakeRunner runner;
        c.setUp(registry, runner);
        EXPECT_EQ(StartSysInfo(registry, runner), c.shown);
        EXPECT_EQ(registry.opened, c.opened);
        EXPECT_EQ(runner.attempted, c.attempted);
        EXPECT_EQ(runner.started.size(), c.shown ? 1u : 0u);
        EXPECT_EQ(registry.openCount(), 0u) << "a key was left open";
        for (std::uint32_t root : registry.roots) {
            EXPECT_EQ(root, 0x80000002u);
        }
        // Read rights only: any write right (set value, create subkey, create link) makes
        // Windows refuse a standard user the machine's keys.
        for (std::uint32_t access : registry.accesses) {
            EXPECT_EQ(access, 0x20019u);
            EXPECT_EQ(access & 0x26u, 0u);
        }
    }
}

TEST(StartSysInfo, LooksForTheToolInTheFolderOnlyAsANormalFile)
{
    FakeRegistry registry;
    FakeRunner runner;
    registry.setText(kLocation, "MSINFO", "C:\\Programmi\\File comuni\\MSInfo");
    EXPECT_FALSE(StartSysInfo(registry, runner));
    EXPECT_EQ(runner.checked,
              std::vector<std::string>{"C:\\Programmi\\File comuni\\MSInfo\\MSINFO32.EXE"});
    EXPECT_TRUE(runner.attempted.empty());
}

TEST(GetKeyValue, CutsReadsAndClosesEveryKey)
{
    struct Case {
        const char* name;
        FakeRegistry::Value stored;
        KeyValueResult::Kind kind;
        std::string value; // what the value text holds afterwards; it starts as "prima"
    };
    const Case cases[] = {
        {"text with its terminating NUL", {platform::kRegSz, std::string("C:\\a.exe\0", 9), {}},
         KeyValueResult::Kind::Read, "C:\\a.exe"},
        {"text stored without the NUL comes back whole", {platform::kRegSz, "C:\\a.exe", {}},
         KeyValueResult::Kind::Read, "C:\\a.exe"},
        {"only the last NUL goes", {platform::kRegSz, std::string("ab\0\0", 4), {}},
         KeyValueResult::Kind::Read, std::string("ab\0", 3)},
        {"a lone NUL is the empty text", {platform::kRegSz, std::string("\0", 1), {}},
         KeyValueResult::Kind::Read, ""},
        {"a single character without NUL", {platform::kRegSz, "x", {}},
         KeyValueResult::Kind::Read, "x"},
        {"the size as reported, not the bytes in the buffer",
         {platform::kRegSz, "abcdef", 3u}, KeyValueResult::Kind::Read, "abc"},
        {"a full buffer without NUL",
         {platform::kRegSz, std::string(1024, 'z'), {}}, KeyValueResult::Kind::Read,
         std::string(1024, 'z')},
        {"too long for the buffer", {platform::kRegSz, std::string(1025, 'z'), {}},
         KeyValueResult::Kind::Missing, ""},
        {"size zero is an error", {platform::kRegSz, "abc", 0u},
         KeyValueResult::Kind::Failed, "prima"},
        {"a size beyond the buffer is an error", {platform::kRegSz, "abc", 4096u},
         KeyValueResult::Kind::Failed, "prima"},
        {"REG_DWORD 42", {platform::kRegDword, std::string("\x2A\0\0\0", 4), {}},
         KeyValueResult::Kind::Read, "&h0000002A"},
        {"REG_DWORD with every byte set", {platform::kRegDword, "\x78\x56\x34\xF2", {}},
         KeyValueResult::Kind::Read, "&hF2345678"},
        {"REG_EXPAND_SZ leaves the value alone", {2u, std::string("%TEMP%\0", 7), {}},
         KeyValueResult::Kind::Read, "prima"},
        {"REG_BINARY leaves the value alone", {3u, "\x01\x02", {}},
         KeyValueResult::Kind::Read, "prima"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        registry.setValue("K", "V", c.stored);
        std::string value = "prima";
        const KeyValueResult result =
            GetKeyValue(registry, platform::kHkeyLocalMachine, "K", "V", value);
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(static_cast<bool>(result), c.kind == KeyValueResult::Kind::Read);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(registry.closed.size(), 1u);
        EXPECT_EQ(registry.openCount(), 0u);
    }
}

TEST(GetKeyValue, MissingKeyOrValueEmptiesTheValue)
{
    FakeRegistry registry;
    registry.addKey("K");
    std::string value = "prima";
    EXPECT_EQ(GetKeyValue(registry, platform::kHkeyLocalMachine, "K", "nessuno", value).kind,
              KeyValueResult::Kind::Missing);
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.closed.size(), 1u);
    EXPECT_EQ(registry.openCount(), 0u);

    value = "prima";
    EXPECT_EQ(GetKeyValue(registry, platform::kHkeyLocalMachine, "altro", "V", value).kind,
              KeyValueResult::Kind::Missing);
    EXPECT_EQ(value, "");
    // A key that did not open is not closed.
    EXPECT_EQ(registry.closed.size(), 1u);
}

} // namespace

#ifndef _WIN32
namespace {

// Away from Windows the registry holds nothing and no tool starts: the player gets the message.
TEST(StartSysInfo, AwayFromWindowsTheToolIsNeverAvailable)
{
    platform::SystemRegistry registry;
    platform::SystemProgramRunner runner;
    std::string value = "prima";
    EXPECT_EQ(GetKeyValue(registry, platform::kHkeyLocalMachine, kMsinfo, "PATH", value).kind,
              KeyValueResult::Kind::Missing);
    EXPECT_EQ(value, "");
    EXPECT_FALSE(runner.fileExists("/bin/sh"));
    EXPECT_FALSE(runner.start("/bin/true"));
    EXPECT_FALSE(StartSysInfo(registry, runner));
}

} // namespace
#endif
