// Each call of the file system the logo procedures change a disk image
// through, against a real FAT volume that mkfs.fat made, and the host's
// files beside it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/disk_files.h"

namespace {
namespace fs = std::filesystem;

std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

class Names final : public FileNames {
public:
    void found(const Text& name) override { all.push_back(Str(name)); }
    std::vector<std::string> all;
};

class DiskFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("disk-files-" + std::to_string(getpid()));
        fs::create_directories(folder / "kept");
        image = (folder / "disk image@@1.img").string();
        const std::string make = "mkfs.fat -C -F 12 '" + image + "' 2048 >/dev/null";
        ASSERT_EQ(std::system(make.c_str()), 0);
        fd = open(image.c_str(), O_RDWR | O_CLOEXEC);
        volume = std::make_unique<FatVolume>(fd, 0, "the whole image");
        files = std::make_unique<DiskFiles>(std::vector<DiskFiles::Drive>{{'C', volume.get()}}, (folder / "kept").string());
    }
    void TearDown() override
    {
        close(fd);
        fs::remove_all(folder);
    }
    int number(const Err& e) { return e.number(); }
    std::string found(const char* path, FileQuery kind = FileQuery::AnyFile)
    {
        Text name;
        EXPECT_FALSE(files->findFile(path, kind, &name)) << path;
        return Str(name);
    }
    std::string read(const Text& path)
    {
        uint8_t* data = nullptr;
        uint32_t size = 0;
        if (files->readFile(path, 100, &data, &size)) return "(failed)";
        std::string bytes(data, data + size);
        delete[] data;
        return bytes;
    }
    Err write(const Text& path, const std::string& bytes)
    {
        return files->writeNewFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), uint32_t(bytes.size()));
    }

    fs::path folder;
    std::string image;
    int fd = -1;
    std::unique_ptr<FatVolume> volume;
    std::unique_ptr<DiskFiles> files;
};

TEST_F(DiskFilesTest, EachCallInTheImage)
{
    ASSERT_FALSE(files->makeFolder("C:\\WINDOWS"));
    EXPECT_EQ(found("C:\\windows", FileQuery::Directory) + "|" + found("C:\\WINDOWS"), "WINDOWS|");
    ASSERT_FALSE(write("C:\\WINDOWS\\logow.sys", "old"));
    EXPECT_EQ(number(write("c:\\windows\\LOGOW.SYS", "new")), kErrFileExists);
    EXPECT_EQ(found("C:\\windows\\Logow.Sys"), "LOGOW.SYS");  // written as DOS writes it, found in any case
    ASSERT_FALSE(files->setAttributes("C:\\WINDOWS\\logow.sys", kAttrHidden | kAttrSystem | kAttrReadOnly));
    uint32_t bits = 0;
    EXPECT_FALSE(files->attributes("C:\\WINDOWS\\logow.sys", &bits));
    EXPECT_EQ(bits, kAttrHidden | kAttrSystem | kAttrReadOnly);
    EXPECT_EQ(found("C:\\WINDOWS\\logow.sys", FileQuery::Directory) + "|" + found("C:\\WINDOWS\\logow.sys"), "|LOGOW.SYS");
    EXPECT_EQ(number(files->copyFile("C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logow.sys")), kErrPathFileAccess);
    EXPECT_EQ(number(files->deleteFile("C:\\WINDOWS\\logow.sys")), kErrPathFileAccess);
    EXPECT_EQ(read("C:\\WINDOWS\\logow.sys"), "old");
    // Renames stay in their folder and never replace a file.
    ASSERT_FALSE(files->copyFile("C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logow.pwn"));
    EXPECT_EQ(number(files->moveFile("C:\\WINDOWS\\logow.pwn", "C:\\WINDOWS\\LOGOW.SYS")), kErrFileExists);
    EXPECT_EQ(number(files->moveFile("C:\\WINDOWS\\logow.pwn", "C:\\logow.pwn")), kErrPathFileAccess);
    EXPECT_EQ(number(files->moveFile("C:\\WINDOWS\\gone.sys", "C:\\WINDOWS\\x.sys")), kErrFileNotFound);
    ASSERT_FALSE(files->moveFile("C:\\WINDOWS\\logow.pwn", "C:\\WINDOWS\\logos.sys"));
    Names listed;
    ASSERT_FALSE(files->listFiles("C:\\WINDOWS", listed));
    EXPECT_EQ(listed.all, (std::vector<std::string>{"LOGOW.SYS", "LOGOS.SYS"}));
    EXPECT_EQ(number(files->removeFolder("C:\\WINDOWS")), kErrPathFileAccess);
    ASSERT_FALSE(files->setAttributes("C:\\WINDOWS\\logow.sys", 0));
    for (const char* file : {"C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logos.sys"}) ASSERT_FALSE(files->deleteFile(file));
    EXPECT_FALSE(files->removeFolder("C:\\WINDOWS"));
    EXPECT_EQ(found("C:\\WINDOWS", FileQuery::Directory), "");
    EXPECT_EQ(number(files->checkReadable("C:\\gone.sys")), kErrFileNotFound);
    EXPECT_EQ(number(files->checkReadable("D:\\logo.sys")), kErrPathNotFound);  // only the drives the disk has
}

// The backup's folder on the host, names found in any case; bytes across.
TEST_F(DiskFilesTest, BetweenTheImageAndTheHost)
{
    const std::string kept = (folder / "kept").string();
    std::ofstream(kept + "/LOGOW.SYS") << "saved";
    EXPECT_EQ(found((kept + "\\logow.sys").c_str()), "LOGOW.SYS");
    EXPECT_EQ(read((kept + "\\logow.sys").c_str()), "saved");
    ASSERT_FALSE(files->copyFile((kept + "\\logow.sys").c_str(), "C:\\logo.sys"));
    EXPECT_EQ(read("C:\\LOGO.SYS"), "saved");
    ASSERT_FALSE(files->makeFolder((kept + ".new").c_str()));
    ASSERT_FALSE(files->copyFile("C:\\logo.sys", (kept + ".new\\logo.sys").c_str()));
    EXPECT_EQ(number(files->moveFile((kept + ".new").c_str(), kept.c_str())), kErrFileExists);
    EXPECT_EQ(read((kept + ".new\\logo.sys").c_str()), "saved");
    EXPECT_EQ(number(files->readFile((kept + "\\gone").c_str(), 100, nullptr, nullptr)), kErrFileNotFound);
    std::ofstream(kept + "/big") << std::string(101, 'x');
    EXPECT_EQ(number(files->readFile((kept + "\\big").c_str(), 100, nullptr, nullptr)), kErrInvalidPicture);
}
}  // namespace
