#include "tool_run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace bte::test {
namespace {

bool HoldsAnEntry(const std::string& folder) {
  std::error_code notYet;
  return std::filesystem::directory_iterator(folder, notYet) != std::filesystem::directory_iterator();
}

struct Pipe {
  int read = -1, write = -1;
  bool Open() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    read = ends[0];
    write = ends[1];
    return true;
  }
  static void Close(int& end) {
    if (end >= 0) close(end);
    end = -1;
  }
};

constexpr uid_t kNobody = 65534;

pid_t Start(const std::vector<std::string>& arguments, bool unprivileged, Pipe& in, Pipe& out,
            Pipe& err) {
  const pid_t child = fork();
  if (child != 0) return child;
  if (unprivileged && geteuid() == 0 &&
      (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
    _exit(126);
  dup2(in.read, STDIN_FILENO);
  dup2(out.write, STDOUT_FILENO);
  dup2(err.write, STDERR_FILENO);
  std::vector<char*> argv{const_cast<char*>(ToolPath())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

// Feeds standard input and drains both outputs at once, so that neither
// side waits on a full pipe.
void Exchange(pid_t child, const ToolInput& input, int& toChild, int& fromOut, int& fromErr,
              ToolRun& run) {
  size_t written = 0;
  bool interruptPending = !input.interruptOnceEntryIn.empty();
  for (;;) {
    if (fromOut < 0 && fromErr < 0 && toChild < 0) return;
    pollfd ends[3] = {{fromOut, POLLIN, 0}, {fromErr, POLLIN, 0}, {toChild, POLLOUT, 0}};
    if (poll(ends, 3, interruptPending ? 1 : -1) < 0 && errno != EINTR) return;
    if (interruptPending && HoldsAnEntry(input.interruptOnceEntryIn)) {
      kill(child, SIGINT);
      interruptPending = false;
    }
    std::string* sinks[2] = {&run.out, &run.err};
    int* sources[2] = {&fromOut, &fromErr};
    for (int i = 0; i < 2; ++i) {
      if (ends[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(*sources[i], buffer, sizeof buffer);
      if (got > 0) sinks[i]->append(buffer, static_cast<size_t>(got));
      else Pipe::Close(*sources[i]);
    }
    if (ends[2].revents != 0) {
      const std::string& bytes = input.standardInput;
      const ssize_t put = written < bytes.size()
                              ? write(toChild, bytes.data() + written, bytes.size() - written)
                              : -1;
      if (put > 0) written += static_cast<size_t>(put);
      if (put <= 0 || written == bytes.size()) Pipe::Close(toChild);
    }
  }
}

}  // namespace

const char* ToolPath() { return BTE_BUILDTAGS; }

unsigned UnprivilegedUser() { return geteuid() == 0 ? kNobody : geteuid(); }

ToolRun RunTool(const std::vector<std::string>& arguments, const ToolInput& input) {
  ToolRun run;
  Pipe in, out, err;
  if (!in.Open() || !out.Open() || !err.Open()) return run;
  // A tool that stops reading its input must not end the test with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  const pid_t child = Start(arguments, input.unprivileged, in, out, err);
  Pipe::Close(in.read);
  Pipe::Close(out.write);
  Pipe::Close(err.write);
  if (input.standardInput.empty()) Pipe::Close(in.write);
  Exchange(child, input, in.write, out.read, err.read, run);
  int status = 0;
  waitpid(child, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace bte::test
