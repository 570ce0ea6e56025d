#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {
namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `component` ignoring case; empty if none.
std::string MatchInFolder(const std::string& dir, const std::string& component) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
    if (!d) return {};
    while (dirent* e = ::readdir(d.get())) {
        if (::strcasecmp(e->d_name, component.c_str()) == 0) return e->d_name;
    }
    return {};
}

}  // namespace

std::string ResolvePath(const std::string& name) {
    std::string path = name;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (path.empty() || Exists(path)) return path;

    std::string resolved;
    size_t pos = 0;
    if (path[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        std::string component = path.substr(pos, next - pos);
        pos = next + 1;
        if (component.empty()) continue;
        std::string candidate = resolved + component;
        if (!Exists(candidate)) {
            std::string dir = resolved.empty() ? "." : resolved;
            std::string match = MatchInFolder(dir, component);
            if (match.empty()) return path;
            candidate = resolved + match;
        }
        resolved = candidate;
        if (pos <= path.size()) resolved += '/';
    }
    return resolved;
}

namespace {
std::string gLastOpened;
// The UTF-8 byte-order mark, which some editors save at the start of a text file.
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
}  // namespace

FILE* OpenFile(const std::string& name, const char* mode) {
    gLastOpened = name;
    const std::string path = ResolvePath(name);
    if (mode[0] != 'r' || std::strchr(mode, '+')) return std::fopen(path.c_str(), mode);
    // Opened without waiting (a FIFO would wait for a writer), then kept only when regular.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    FILE* file = ::fdopen(fd, mode);
    if (!file) ::close(fd);
    return file;
}

FILE* OpenTextFile(const std::string& name) {
    FILE* file = OpenFile(name, "r");
    if (!file) return nullptr;
    // Only a regular file opens, so a start that is no mark can be gone back to.
    char start[sizeof ByteOrderMark - 1] = {};
    const size_t n = std::fread(start, 1, sizeof start, file);
    if (n < sizeof start || std::memcmp(start, ByteOrderMark, sizeof start) != 0) {
        std::clearerr(file);
        std::rewind(file);
    }
    return file;
}

bool ReadTextFile(const std::string& name, std::string& text) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(OpenTextFile(name), std::fclose);
    text.clear();
    if (!file) return false;
    char block[8192];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file.get())) > 0;) text.append(block, n);
    return !std::ferror(file.get());
}

const std::string& LastOpenedFile() { return gLastOpened; }

bool ReplaceFile(const std::string& name, const std::string& bytes) {
    const std::size_t slash = name.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : name.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    std::string temp = folder + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // The new file gets the permissions a newly created one would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), name.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(folder.empty() ? "." : folder.c_str()),
                                          ::closedir);
    if (!d) return names;
    while (dirent* e = ::readdir(d.get())) {
        std::string n = e->d_name;
        if (n.size() >= suffix.size() &&
            ::strcasecmp(n.c_str() + n.size() - suffix.size(), suffix.c_str()) == 0) {
            names.push_back(n);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

}  // namespace platform
