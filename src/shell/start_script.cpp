// The choice of the script the game starts with, until the configuration dialog makes it.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/messages.h"

char ScriptFileName[16] = "";

namespace {

bool EndsWithScriptEnding(const std::string& name) {
    const size_t n = std::strlen(ScriptFileEnding);
    if (name.size() <= n) return false;
    return std::equal(name.end() - static_cast<std::ptrdiff_t>(n), name.end(), ScriptFileEnding,
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

void ChooseStartScript() {
    // The window is the display chosen: the script's first display-mode change makes it.
    FullScreen = 0;
    WasFullScreen = 1;
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && EndsWithScriptEnding(name) &&
            name.size() < sizeof ScriptFileName) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    ScriptFileName[0] = '\0';
    if (!names.empty()) std::strcpy(ScriptFileName, names.front().c_str());
}
