// SPDX-License-Identifier: GPL-3.0-or-later
// Runs untrusted parsing in a child process: whatever the child does (crash,
// hang, endless output), the caller gets either its complete output or nullopt.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "data/detail.h"

namespace tj::data::detail {

namespace {

using Clock = std::chrono::steady_clock;

// Owns a file descriptor.
class Fd {
 public:
  explicit Fd(int fd = -1) noexcept : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { reset(); }
  int get() const noexcept { return fd_; }
  void reset() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// In the child: run the work, send its result, never return.
[[noreturn]] void childMain(int out, const std::function<std::string()>& work) {
  ::signal(SIGPIPE, SIG_DFL);
  const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null >= 0) {
    ::dup2(null, STDOUT_FILENO);
    if (!std::getenv("TJ_DATA_CHILD_STDERR")) ::dup2(null, STDERR_FILENO);
  }
  int code = 1;
  try {
    code = writeAll(out, work()) ? 0 : 1;
  } catch (...) {
    code = 2;
  }
  ::_exit(code);  // no atexit handlers, no flushing of the parent's buffers
}

int millisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1000));
}

// Reads until end of file. False on time-out, too much output or a read error.
bool readAll(int fd, Clock::time_point deadline, std::size_t maxBytes, std::string& out) {
  char buffer[65536];
  for (;;) {
    if (Clock::now() >= deadline) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, millisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return false;
    if (ready == 0) continue;  // the loop head checks the deadline
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (out.size() + static_cast<std::size_t>(n) > maxBytes) return false;
    out.append(buffer, static_cast<std::size_t>(n));
  }
}

// Waits for the child until the deadline, then kills it; always reaps it.
// True when it exited normally with code 0, or when it cannot be waited for
// because the process ignores SIGCHLD (then the output must speak for itself).
bool reap(pid_t pid, Clock::time_point deadline, bool kill) {
  int status = 0;
  if (!kill) {
    for (;;) {
      const pid_t r = ::waitpid(pid, &status, WNOHANG);
      if (r == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
      if (r < 0 && errno == ECHILD) return true;
      if (r < 0 && errno != EINTR) return false;
      if (Clock::now() >= deadline) break;
      ::usleep(1000);
    }
  }
  ::kill(pid, SIGKILL);
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return false;
}

}  // namespace

std::optional<std::string> runIsolated(const std::function<std::string()>& work, std::chrono::milliseconds limit,
                                       std::size_t maxBytes) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  Fd readEnd(fds[0]);
  Fd writeEnd(fds[1]);
  const auto deadline = Clock::now() + limit;

  const pid_t pid = ::fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    readEnd.reset();
    childMain(writeEnd.get(), work);
  }
  writeEnd.reset();
  std::string output;
  const bool complete = readAll(readEnd.get(), deadline, maxBytes, output);
  readEnd.reset();
  // A child that closed its output is done; give it a moment to exit.
  const bool exitedWell = reap(pid, std::max(deadline, Clock::now() + std::chrono::seconds(1)), !complete);
  if (!complete || !exitedWell) return std::nullopt;
  return output;
}

}  // namespace tj::data::detail
