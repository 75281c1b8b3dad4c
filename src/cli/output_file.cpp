#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr mode_t CREATE_MODE = 0666;

// Every byte of `content` to `fd`, resuming after short writes and interrupts.
bool writeAll(int fd, std::string_view content) {
    const char* next = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::string failure(const std::string& what, const std::string& path, int code) {
    return what + " '" + path + "': " + std::strerror(code);
}

}  // namespace

bool writeFileReplacing(const std::string& path, std::string_view content, std::string& error) {
    if (path.empty()) {
        error = "empty file name";
        return false;
    }
    const std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = failure("cannot create a file next to", path, errno);
        return false;
    }
    const std::string temporary(name.data());
    bool ok = ::fchmod(fd, CREATE_MODE & ~currentUmask()) == 0 && writeAll(fd, content) &&
              ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = failure("cannot write", path, code);
    }
    return ok;
}
