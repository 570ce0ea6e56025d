// Level files and the cube files they name, loaded as the game loads a level and freed as the
// level reset frees it.
//
// One input holds several files: the level file first, then each further file after a line
// "#FILE <name>". The level file is written as "fuzz.lvl". The texture sheets of the demo and
// of the tests lie in the scratch folder for the cube files to cut their textures from; inputs
// cannot replace them.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/report_error.h"
#include "fuzz_harness.h"
#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "shell/bmp_surface.h"
#include "world/cube.h"
#include "world/free_level.h"
#include "world/level_reader.h"

namespace {

constexpr std::string_view kFileMark = "\n#FILE ";

// A name safe to create in the scratch folder: letters, digits, '.', '_' and '-' only.
bool UsableName(std::string_view name) {
    if (name.empty() || name.size() > 64 || name[0] == '.') return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

void CopySheets(const char* folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".bmp" || ext == ".BMP") {
            fs::copy_file(entry.path(), entry.path().filename(), fs::copy_options::skip_existing,
                          error);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    OverlaySurfaces[0] = new platform::Surface(
        platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_SYSTEMMEMORY, 256, 256, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    static const bool sheets = [] {
        CopySheets(DUSK_GEN_DATA);
        CopySheets(DUSK_DEMO_DATA);
        return true;
    }();
    (void)sheets;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t mark = input.find(kFileMark);
    fuzz::WriteFile("fuzz.lvl", data, mark == std::string_view::npos ? size : mark);
    std::vector<std::string> written;
    while (mark != std::string_view::npos) {
        const size_t nameStart = mark + kFileMark.size();
        const size_t nameEnd = std::min(input.find('\n', nameStart), size);
        const size_t next = input.find(kFileMark, nameEnd);
        const std::string name(input.substr(nameStart, nameEnd - nameStart));
        const size_t bodyStart = std::min(nameEnd + 1, size);
        const size_t bodyEnd = next == std::string_view::npos ? size : next;
        if (UsableName(name) && !std::filesystem::exists(name)) {
            fuzz::WriteFile(name, data + bodyStart, bodyEnd > bodyStart ? bodyEnd - bodyStart : 0);
            written.push_back(name);
        }
        mark = next;
    }

    fuzz::Run([] { LoadLevel("fuzz.lvl"); });
    FreeLevel();
    QuitRequested = false;
    RenderingStopped = 0;
    for (const std::string& name : written) std::filesystem::remove(name);
    return 0;
}
