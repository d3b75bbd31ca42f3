#include "model/well_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tarsek {
namespace fs = std::filesystem;

namespace {

std::string systemReason(int err) {
  switch (err) {
    case ENOENT:
      return "目录不存在";
    case EACCES:
    case EPERM:
      return "没有写入权限";
    case ENOSPC:
    case EDQUOT:
      return "磁盘空间不足";
    case EROFS:
      return "磁盘只读";
    case EISDIR:
      return "同名的目录已存在";
    case ENOTDIR:
      return "路径不是目录";
    case ENAMETOOLONG:
      return "文件名太长";
    default:
      return std::strerror(err);
  }
}

std::string writeFailure(const std::string& path, int err) {
  return "文件“" + path + "”保存失败（" + systemReason(err) + "），数据未保存！";
}

bool isWritableDirectory(const std::string& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string WriteErrorReason(int err) { return systemReason(err); }

std::string WellFilePath(const std::string& directory, std::string_view wellNo,
                         std::string_view extension) {
  std::string name(wellNo);
  name += extension;
  if (directory.empty()) return name;
  return (fs::path(directory) / fs::path(name)).string();
}

std::string ProgramDirectory() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path().string();
}

std::string ChooseWellDirectory(const std::string& programDirectory, const std::string& xdgDataHome,
                                const std::string& home) {
  if (isWritableDirectory(programDirectory)) return programDirectory;
  fs::path base;
  // The XDG rules ignore a relative $XDG_DATA_HOME.
  if (!xdgDataHome.empty() && fs::path(xdgDataHome).is_absolute()) {
    base = xdgDataHome;
  } else if (!home.empty()) {
    base = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  const fs::path dir = base / "Tarsek";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return fs::is_directory(dir, ec) ? dir.string() : std::string();
}

bool IsInstalledProgramDirectory(const std::string& programDirectory) {
  if (programDirectory.empty()) return false;
  std::error_code ec;
  return fs::is_directory(fs::path(programDirectory) / ".." / "share" / "tarsek", ec);
}

std::string DefaultWellDirectory() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string program = ProgramDirectory();
  return ChooseWellDirectory(IsInstalledProgramDirectory(program) ? std::string() : program,
                             xdg != nullptr ? xdg : "", home != nullptr ? home : "");
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& message) {
  const std::string temp = path + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    message = writeFailure(path, errno);
    return false;
  }
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  int err = 0;
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // Without the flush a crash after the rename could leave an empty file in place of the old one.
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    message = writeFailure(path, err);
    return false;
  }
  // Make the rename itself durable; a failure here no longer endangers either version.
  const fs::path parent = fs::path(path).parent_path();
  const int dirFd =
      ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace tarsek
