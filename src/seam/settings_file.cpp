#include "seam/settings_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "seam/registry.h"

// This file uses the C and POSIX libraries alone.

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* entry = getpwuid(getuid());
    if (entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    return "/tmp";
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

int32_t ErrorFor(int error) {
    return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
}

SettingsRead ReadAt(const std::string& path, std::size_t limit, std::string& text) {
    // Non-blocking, so that a pipe put in the file's place cannot stall the game.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? SettingsRead::Missing : SettingsRead::Unreadable;
    struct stat info {};
    SettingsRead result = SettingsRead::Present;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = SettingsRead::Unreadable;
    } else if (static_cast<std::size_t>(info.st_size) > limit) {
        result = SettingsRead::TooLarge;
    } else {
        text.clear();
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                result = SettingsRead::Unreadable;
                break;
            }
            if (got == 0) break;
            // The file may grow while it is read.
            if (text.size() + static_cast<std::size_t>(got) > limit) {
                result = SettingsRead::TooLarge;
                break;
            }
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    return result;
}

// Creates the folder and its parents as needed.
bool MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    errno = ENOTDIR;
    return false;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// The file a save replaces: the settings path itself or, when that is a symbolic link, the file it
// leads to, so that the link stays a link (dotfile managers keep the real file elsewhere). False for a
// chain of links that never ends.
bool SaveTarget(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = readlink(target.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) >= link.size()) return false;
        link.resize(static_cast<std::size_t>(length));
        target = link.starts_with('/') ? link : FolderOf(target) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// A save killed between writing its temporary file and renaming it leaves that file behind; the next
// save of another process removes it. Temporary files are named .<file>.<process id>.<counter>.
void RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
    DIR* entries = opendir(folder.c_str());
    if (entries == nullptr) return;
    const std::string prefix = "." + base + ".";
    while (const dirent* entry = readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const std::string_view rest = name.substr(prefix.size());
        const std::size_t dot = rest.find('.');
        if (dot == 0 || dot == std::string_view::npos || dot + 1 == rest.size()) continue;
        if (rest.find_first_not_of("0123456789.") != std::string_view::npos) continue;
        const long pid = std::strtol(std::string(rest.substr(0, dot)).c_str(), nullptr, 10);
        if (pid > 0 && pid != getpid() && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            unlinkat(dirfd(entries), entry->d_name, 0);
        }
    }
    closedir(entries);
}

void (*beforeRename)() = nullptr;

// Replaces the file at `path` by `text` atomically: temporary file, flush to disk, rename.
int32_t WriteAt(const std::string& path, const std::string& text) {
    static unsigned counter = 0;
    if (!MakeFolders(FolderOf(path))) return ErrorFor(errno);
    std::string target;
    if (!SaveTarget(path, target)) return ErrorFor(errno);
    const std::string folder = FolderOf(target);
    const std::string base = target.substr(folder.size() + 1);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "/." + base + "." + std::to_string(getpid()) + "." + std::to_string(counter++);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST) return ErrorFor(errno);
    }
    if (fd < 0) return ERROR_WRITE_FAULT;

    // The new file keeps the old one's permissions.
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);

    int error = 0;
    errno = 0;
    if (!WriteAll(fd, text) || fsync(fd) != 0) error = errno != 0 ? errno : EIO;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && beforeRename != nullptr) beforeRename();
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return ErrorFor(error);
    }
    // Make the rename itself durable; the file is already complete either way.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    RemoveStaleTemporaries(folder, base);
    return ERROR_SUCCESS;
}

// Removes the file at `path` (or, through a symbolic link, the file it leads to, keeping the link).
int32_t RemoveAt(const std::string& path) {
    std::string target;
    if (!SaveTarget(path, target)) return ErrorFor(errno);
    if (unlink(target.c_str()) != 0 && errno != ENOENT) return ErrorFor(errno);
    return ERROR_SUCCESS;
}

// An absolute folder from the environment variable `name`, else `fallback` under the home folder.
std::string XdgFolder(const char* name, const char* fallback) {
    // A file-size limit must make a write of a store fail, not end the game. Every store's path is
    // found through here, so the signal is ignored from the first look at any of them on.
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)ignored;
    const char* folder = std::getenv(name);
    // Only an absolute path counts, as the XDG rules say.
    return folder != nullptr && folder[0] == '/' ? folder : HomeFolder() + fallback;
}

}  // namespace

SettingsRead ReadSettingsFile(std::string& text) {
    return ReadAt(SettingsFilePath(), kSettingsFileLimit, text);
}

SettingsRead ReadKeptGameFile(std::string& text) {
    return ReadAt(KeptGameFilePath(), kKeptGameTextLimit, text);
}

int32_t WriteKeptGameFile(const std::string& text) {
    return text.empty() ? RemoveAt(KeptGameFilePath()) : WriteAt(KeptGameFilePath(), text);
}

std::string KeptGameFilePath() {
    return XdgFolder("XDG_STATE_HOME", "/.local/state") + "/Kestory/Mirovane.game";
}

int32_t WriteSettingsFile(const std::string& text) {
    return WriteAt(SettingsFilePath(), text);
}

void SetBeforeRenameHook(void (*hook)()) {
    beforeRename = hook;
}

std::string SettingsFilePath() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config") + "/Kestory/Mirovane.reg";
}
