#pragma once
// The tests' cube-world level in a scratch folder that is the working directory while it lives:
// the level file and cube files of tests/data/cubeworld with the generated texture sheet, whose
// pictures are read into a scratch surface standing for the display palette's picture.
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "shell/bmp_surface.h"
#include "world/cube.h"
#include "world/reset.h"

namespace testworld {

class TestLevelFolder {
public:
    TestLevelFolder() {
        namespace fs = std::filesystem;
        old_ = fs::current_path();
        char name[] = "/tmp/dusk_level_XXXXXX";
        folder_ = mkdtemp(name);
        for (const auto& entry : fs::directory_iterator(DUSK_TEST_DATA "/cubeworld")) {
            fs::copy_file(entry.path(), folder_ / entry.path().filename());
        }
        fs::copy_file(DUSK_GEN_DATA "/cubeworld.bmp", folder_ / "cubeworld.bmp");
        fs::current_path(folder_);
        OverlaySurfaces[0] = new platform::Surface(
            platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_SYSTEMMEMORY, 256, 256, 1);
    }
    ~TestLevelFolder() {
        ResetWorld();
        OverlaySurfaces[0]->Release();
        OverlaySurfaces[0] = nullptr;
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(folder_);
    }
    TestLevelFolder(const TestLevelFolder&) = delete;
    TestLevelFolder& operator=(const TestLevelFolder&) = delete;

    // Replaces the first occurrence of `from` in one of the copied files; false when absent.
    bool Damage(const std::string& file, const std::string& from, const std::string& to) {
        std::ifstream in(folder_ / file);
        std::stringstream text;
        text << in.rdbuf();
        std::string s = text.str();
        const size_t at = s.find(from);
        if (at == std::string::npos) {
            return false;
        }
        s.replace(at, from.size(), to);
        std::ofstream(folder_ / file, std::ios::trunc) << s;
        return true;
    }

private:
    std::filesystem::path old_;
    std::filesystem::path folder_;
};

}  // namespace testworld
