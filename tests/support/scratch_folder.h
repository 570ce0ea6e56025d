#pragma once
// A scratch folder named for the running test, the working directory while it lives; the
// folder the test started in is restored and the scratch folder removed at the end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace support {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix) {
        home_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               (prefix + "_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes a file into the folder (bytes as given) and returns its path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    const std::filesystem::path& Path() const { return dir_; }

private:
    std::filesystem::path home_;
    std::filesystem::path dir_;
};

}  // namespace support
