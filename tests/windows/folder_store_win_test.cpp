// The folder store over the Windows file calls, in a fresh folder under wine.
#include "records/names.h"
#include "platform/folder_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using records::EntryKind;
using records::StoreFailure;

struct Folder {
    fs::path path;
    Folder()
    {
        std::random_device seed;
        path = fs::temp_directory_path() / ("tolv-store-" + std::to_string(seed()));
        fs::create_directories(path);
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::set<std::string> names() const
    {
        std::set<std::string> out;
        for (const auto& entry : fs::directory_iterator(path)) {
            out.insert(entry.path().filename().string());
        }
        return out;
    }
    std::string bytes(const std::string& name) const
    {
        std::ifstream in(path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST(WindowsFolderStore, ReplacesRenamesAndRemovesWholeFilesOnly)
{
    Folder folder;
    platform::FolderStore store(folder.path);
    const std::string bytes("\"10000,00\"\r\n\"\"\r\nline\n\0\xff end", 24);
    EXPECT_EQ(store.read("Data5").error.kind, StoreFailure::Missing);
    ASSERT_FALSE(store.replace("Data5", bytes));
    ASSERT_FALSE(store.replace("Data5", bytes + "more")); // over an existing file
    EXPECT_EQ(folder.bytes("Data5"), bytes + "more");     // no CR LF translation
    EXPECT_EQ(store.read("Data5").bytes, bytes + "more");
    EXPECT_EQ(store.readUpTo("Data5", 3).error.kind, StoreFailure::TooLarge);
    EXPECT_EQ(store.entry("Data5"), EntryKind::File);

    ASSERT_FALSE(store.replace("Data5.bak1", "old"));
    EXPECT_TRUE(store.rename("Data5", "Data5.bak1")) << "a rename never replaces";
    ASSERT_FALSE(store.rename("Data5", "Data5.bak2"));
    EXPECT_EQ(store.entry("Data5"), EntryKind::Missing);
    ASSERT_FALSE(store.remove("Data5.bak1"));
    EXPECT_FALSE(store.remove("Data5.bak1")) << "removing what is not there succeeds";
    EXPECT_FALSE(store.syncFolder());

    fs::create_directory(folder.path / "Data1");
    EXPECT_EQ(store.entry("Data1"), EntryKind::Folder);
    EXPECT_EQ(store.replace("Data1", "x").kind, StoreFailure::NotAFile);
    EXPECT_EQ(store.read("Data1").error.kind, StoreFailure::NotAFile);

    // Every name of the folder, as the start reads them for the highest numbers and the game's
    // own temporaries.
    std::ofstream(folder.path / records::temporaryName("data7")) << "cut";
    std::ofstream(folder.path / "data7.copia1") << "mine";
    std::set<std::string> listed;
    EXPECT_FALSE(store.eachName([&](std::string_view name) { listed.emplace(name); }));
    EXPECT_EQ(listed, (std::set<std::string>{"Data1", "Data5.bak2", "data7.copia1", "data7.tolvstreet-new"}));
}

} // namespace
