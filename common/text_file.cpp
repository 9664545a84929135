#include "text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace common {
namespace fs = std::filesystem;
namespace {

std::string reason(int error) { return std::strerror(error); }

Result<> writeFailure(const std::string& path, const std::string& why) {
    return Result<>::Failure("cannot write " + path + ": " + why);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, returning the error a late write-back reports, or 0.
    int close() {
        const int result = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Writes all of it at offset; 0, or the system's error.
int writeAt(int fd, const char* data, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return 0;
}

// Reserves the disk space of bytes past offset without changing the file's size, so a
// full disk shows before anything is written. A file system that cannot reserve is
// left to the write itself.
int reserve(int fd, off_t offset, size_t bytes) {
    if (bytes == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, offset, static_cast<off_t>(bytes)) == 0)
        return 0;
    return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : errno;
}

// The file a path finally names, through any symbolic links; a dangling link names the
// file writing would create.
Result<std::string> followLinks(const std::string& path) {
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(p.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return p.string();
        std::error_code error;
        const fs::path to = fs::read_symlink(p, error);
        if (error) return Result<std::string>::Failure(error.message());
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return Result<std::string>::Failure(reason(ELOOP));
}

// Rewrites an existing file's content where it lies, keeping its inode, links and owner;
// the old content goes back if the new cannot be written whole.
Result<> rewriteInPlace(const std::string& shown, const std::string& target,
                        std::string_view content) {
    Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0) return writeFailure(shown, reason(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return writeFailure(shown, reason(errno));
    // The old content is held to be put back, so only a file of the suite's sizes.
    if (static_cast<std::uintmax_t>(info.st_size) > LargestTextFile)
        return writeFailure(shown, reason(EFBIG));
    std::string before(static_cast<size_t>(info.st_size), '\0');
    if (::pread(fd.get(), before.data(), before.size(), 0) != info.st_size)
        return writeFailure(shown, reason(errno ? errno : EIO));

    const size_t growth = content.size() > before.size() ? content.size() - before.size() : 0;
    int error = reserve(fd.get(), info.st_size, growth);
    if (error == 0) error = writeAt(fd.get(), content.data(), content.size(), 0);
    if (error == 0 && ::ftruncate(fd.get(), static_cast<off_t>(content.size())) != 0) error = errno;
    if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
    if (error == 0) return {};
    // Overwriting the old bytes needs no new space, so putting them back succeeds where
    // the longer new content did not.
    const int restored = writeAt(fd.get(), before.data(), before.size(), 0);
    if (restored == 0 && ::ftruncate(fd.get(), info.st_size) == 0) ::fsync(fd.get());
    return writeFailure(shown, reason(error));
}

// A new file beside the target for its next content; -1 with errno when the folder
// takes none.
int createBeside(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target;
        tempPath.append(".tmp-").append(std::to_string(::getpid()));
        if (attempt > 0) tempPath.append("-").append(std::to_string(attempt));
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void syncFolderOf(const std::string& file) {
    const fs::path folder = fs::path(file).parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::vector<std::string> splitLines(std::string_view text) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        text.remove_prefix(ByteOrderMark.size());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

TextFile ReadTextFile(const std::string& path, std::uintmax_t largest) {
    TextFile file;
    auto refuse = [&](const std::string& why) {
        file.state = FileState::Unreadable;
        file.message = path + " cannot be read: " + why + ".";
        return file;
    };
    // Not blocking, so a pipe nobody writes to is refused instead of waited on.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        refuse(reason(error));
        if (error == ENOENT) file.state = FileState::Missing;
        return file;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return refuse(reason(errno));
    if (!S_ISREG(info.st_mode)) return refuse("it is not a regular file");
    const std::string tooLarge =
        "it is larger than " + std::to_string(largest / (1024 * 1024)) + " MB";
    if (static_cast<std::uintmax_t>(info.st_size) > largest) return refuse(tooLarge);

    // Read to one byte past the limit, in case the file grew since fstat.
    std::string text(static_cast<size_t>(info.st_size) + 1, '\0');
    size_t got = 0;
    for (;;) {
        if (got == text.size()) {
            if (text.size() > largest) return refuse(tooLarge);
            text.resize(std::min<std::uintmax_t>(text.size() * 2, largest + 1));
        }
        const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return refuse(reason(errno));
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    if (got > largest) return refuse(tooLarge);
    text.resize(got);
    file.state = FileState::Read;
    file.lines = splitLines(text);
    return file;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    TextFile file = ReadTextFile(path);
    if (file.state != FileState::Read) return std::nullopt;
    return std::move(file.lines);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += '\n';
    }
    return out;
}

Result<> WriteFileAtomically(const std::string& path, std::string_view content) {
    const Result<std::string> resolved = followLinks(path);
    if (!resolved) return writeFailure(path, resolved.message());
    const std::string& target = resolved.value();
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return writeFailure(path, reason(errno));
    if (exists) {
        if (!S_ISREG(old.st_mode)) return writeFailure(path, "it is not a regular file");
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return writeFailure(path, reason(errno));
        // Renaming would leave the other links with the old content.
        if (old.st_nlink > 1) return rewriteInPlace(path, target, content);
    }

    std::string temp;
    Descriptor fd(createBeside(target, temp));
    if (fd.get() < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM))
            return rewriteInPlace(path, target, content);
        return writeFailure(path, reason(error));
    }
    if (exists) {
        // Owner first: changing it clears the set-id bits the mode then restores.
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
            fd.close();
            ::unlink(temp.c_str());
            return rewriteInPlace(path, target, content);
        }
        ::fchmod(fd.get(), old.st_mode & 07777);
    }
    int error = reserve(fd.get(), 0, content.size());
    if (error == 0) error = writeAt(fd.get(), content.data(), content.size(), 0);
    if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
    if (const int closed = fd.close(); error == 0) error = closed;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return writeFailure(path, reason(error));
    }
    syncFolderOf(target);
    return {};
}

Result<> AppendToFile(const std::string& path, std::string_view content) {
    struct stat before {};
    const bool existed = ::stat(path.c_str(), &before) == 0;
    // Not blocking, so a pipe as the target is refused instead of waited on.
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (fd.get() < 0) return Result<>::Failure("cannot add to " + path + ": " + reason(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return Result<>::Failure("cannot add to " + path + ": " + reason(errno));
    if (!S_ISREG(info.st_mode))
        return Result<>::Failure("cannot add to " + path + ": it is not a regular file");
    int error = reserve(fd.get(), info.st_size, content.size());
    if (error == 0) error = writeAt(fd.get(), content.data(), content.size(), info.st_size);
    if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
    if (error == 0) return {};
    if (::ftruncate(fd.get(), info.st_size) == 0) ::fsync(fd.get());
    if (!existed) ::unlink(path.c_str());
    return Result<>::Failure("cannot add to " + path + ": " + reason(error));
}

std::string ProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path().string();
    return exe.parent_path().string();
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

} // namespace common
