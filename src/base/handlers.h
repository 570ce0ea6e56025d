// The calls that reach from a lower floor up to a higher one. The top floor fills the table
// (InstallHandlers in bindings/handlers_install.h) before the game starts: the program's entry
// does, and so does every test program. The start-up refuses to run with an entry left empty;
// elsewhere an empty entry does nothing: no statement is carried out, no sound rings, and no
// texture sheet is loaded, so a level that cuts textures fails as with an incomplete table.
#pragma once

struct ParsedStatement;
namespace platform {
class Surface;
}  // namespace platform

struct HandlerTable {
    // The script engine hands over a keyword that acts on the rest of the game, and a statement
    // whose first word is no keyword (execCommand: 1 when that word named a command).
    void (*execKeyword)(int keyword, const ParsedStatement& statement) = nullptr;
    int (*execCommand)(const ParsedStatement& statement) = nullptr;
    // QuitApp stops a script run after the statement that asked.
    void (*stopScriptRun)() = nullptr;
    // The cube world loads a texture sheet into overlay surface 0 (1 when loaded, 0 after a
    // failure, which the loader has shown) and cuts its textures from that surface.
    int (*loadTextureSheet)(const char* file) = nullptr;
    platform::Surface* (*textureSheet)() = nullptr;
    // The special animations ring a sound slot once.
    void (*playSound)(int slot) = nullptr;
};

inline HandlerTable Handlers;

// True when every entry is filled.
inline bool HandlersComplete() {
    const HandlerTable& h = Handlers;
    return h.execKeyword && h.execCommand && h.stopScriptRun && h.loadTextureSheet &&
           h.textureSheet && h.playSound;
}
