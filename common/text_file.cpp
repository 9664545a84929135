#include "text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace common {

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) return std::nullopt;
    std::string text = all.str();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
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
    namespace fs = std::filesystem;
    fs::path target(path);
    fs::path temp = target;
    temp += ".tmp-" + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Result<>::Failure("cannot write " + path + ": " + std::strerror(errno));
    const char* p = content.data();
    size_t left = content.size();
    std::string error;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (error.empty() && ::fsync(fd) != 0) error = std::strerror(errno);
    if (::close(fd) != 0 && error.empty()) error = std::strerror(errno);
    if (error.empty() && ::rename(temp.c_str(), target.c_str()) != 0) error = std::strerror(errno);
    if (!error.empty()) {
        ::unlink(temp.c_str());
        return Result<>::Failure("cannot write " + path + ": " + error);
    }
    return {};
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
