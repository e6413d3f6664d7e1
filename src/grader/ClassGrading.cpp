#include "grader/ClassGrading.h"

#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>

#include "grader/LearnerGrading.h"
#include "grader/Wire.h"
#include "text/Cp932.h"
#include "text/messages/GraderMessages.h"

namespace tarnwick::grader {
namespace {

using Clock = std::chrono::steady_clock;

// A learner's process as the main process sees it.
struct Child {
  pid_t pid = -1;
  std::size_t learner = 0;
  std::string received;
  Clock::time_point lastSign;
  bool killedSilent = false;
  std::vector<bool> judged;
};

// Writes the whole record, however the pipe takes it.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// The learner's process: grades the file and ends without returning, leaving the main
// process's files and buffers alone.
[[noreturn]] void RunChild(const ClassSetup& setup, const std::vector<ModelExercise>& model,
                           std::size_t learner, int fd, const std::string& folder) {
  // It ends with the main process, and Ctrl+C reaches it as the terminal's process group's.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  signal(SIGPIPE, SIG_IGN);
  const SendRecord send = [fd](RecordKind kind, std::string_view content) {
    if (!WriteAll(fd, FrameRecord(kind, content))) _exit(3);
  };
  try {
    // Files a learner's statement writes by a relative name land in the learner's folder.
    if (chdir(folder.c_str()) != 0) throw std::runtime_error(std::strerror(errno));
    GradeLearner(
        {setup.files[learner], setup.classCopy, folder + "/class.mdb", setup.timeoutSeconds}, model,
        send);
  } catch (const std::exception& failure) {
    send(RecordKind::Note, SjisToUtf8(failure.what()));
  }
  _exit(0);
}

std::string SignalName(int signal) {
  const char* abbreviation = sigabbrev_np(signal);
  return abbreviation != nullptr ? std::string("SIG") + abbreviation : "?";
}

class Scheduler {
 public:
  Scheduler(const ClassSetup& setup, const std::vector<ModelExercise>& model,
            const volatile sig_atomic_t* stop)
      : setup_(setup), model_(model), stop_(stop), reports_(setup.files.size()) {
    for (std::size_t i = 0; i < reports_.size(); ++i) {
      reports_[i].file = setup.files[i];
      reports_[i].name = setup.names[i];
      reports_[i].outcomes.resize(model.size());
    }
    silence_ = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(3 * setup.timeoutSeconds + 10));
  }

  std::vector<LearnerReport> Run() {
    std::size_t next = 0;
    while (next < reports_.size() || !children_.empty()) {
      if (Stopped()) {
        EndAll();
        break;
      }
      while (next < reports_.size() && children_.size() < std::max(1u, setup_.jobs)) {
        Start(next++);
      }
      Wait();
    }
    return std::move(reports_);
  }

 private:
  bool Stopped() const { return stop_ != nullptr && *stop_ != 0; }
  std::string Folder(std::size_t learner) const {
    return setup_.workFolder + "/learner-" + std::to_string(learner + 1);
  }

  void Start(std::size_t learner) {
    const std::string folder = Folder(learner);
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    int fds[2];
    if (error || pipe(fds) != 0) {
      reports_[learner].notes.push_back(error ? error.message() : std::strerror(errno));
      Finish(reports_[learner], {});
      return;
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      ::close(fds[0]);
      for (const auto& [fd, child] : children_) ::close(fd);
      RunChild(setup_, model_, learner, fds[1], folder);
    }
    ::close(fds[1]);
    if (pid < 0) {
      reports_[learner].notes.push_back(std::strerror(errno));
      ::close(fds[0]);
      Finish(reports_[learner], {});
      return;
    }
    Child child;
    child.pid = pid;
    child.learner = learner;
    child.lastSign = Clock::now();
    child.judged.assign(model_.size(), false);
    children_.emplace(fds[0], std::move(child));
  }

  // Waits up to a second for what the processes send, and ends one that has been silent too
  // long.
  void Wait() {
    std::vector<pollfd> polled;
    for (const auto& [fd, child] : children_) polled.push_back({fd, POLLIN, 0});
    if (polled.empty()) return;
    if (poll(polled.data(), polled.size(), 1000) < 0 && errno != EINTR) return;
    for (const pollfd& entry : polled) {
      if (entry.revents != 0) Receive(entry.fd);
    }
    const Clock::time_point now = Clock::now();
    for (auto& [fd, child] : children_) {
      if (!child.killedSilent && now - child.lastSign > silence_) {
        kill(child.pid, SIGKILL);
        child.killedSilent = true;
      }
    }
  }

  void Receive(int fd) {
    Child& child = children_.at(fd);
    char buffer[65536];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) return;
    if (count > 0) {
      child.received.append(buffer, static_cast<std::size_t>(count));
      child.lastSign = Clock::now();
      while (std::optional<Record> record = TakeRecord(child.received)) Take(child, *record);
      return;
    }
    End(fd);
  }

  void Take(Child& child, const Record& record) {
    LearnerReport& report = reports_[child.learner];
    if (record.kind == RecordKind::Note) report.notes.push_back(record.content);
    if (record.kind != RecordKind::Outcome) return;
    try {
      std::size_t exercise = 0;
      ExerciseOutcome outcome = DecodeOutcome(record.content, exercise);
      if (exercise < model_.size()) {
        report.outcomes[exercise] = std::move(outcome);
        child.judged[exercise] = true;
      }
    } catch (const std::exception&) {
      // A record that does not read: its exercise counts as not judged.
    }
  }

  // The process has closed its pipe: collects how it ended.
  void End(int fd) {
    Child child = std::move(children_.at(fd));
    children_.erase(fd);
    ::close(fd);
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    LearnerReport& report = reports_[child.learner];
    if (child.killedSilent) {
      report.notes.push_back(
          msg::GradingProcessSilent(std::chrono::duration<double>(silence_).count()));
    } else if (WIFSIGNALED(status)) {
      report.notes.push_back(
          msg::GradingProcessKilled(WTERMSIG(status), SignalName(WTERMSIG(status))));
    } else if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
      report.notes.push_back(msg::GradingProcessFailed(WEXITSTATUS(status)));
    }
    Finish(report, child.judged);
    std::error_code ignored;
    std::filesystem::remove_all(Folder(child.learner), ignored);
  }

  // Every exercise the process did not judge is wrong: it was not finished.
  void Finish(LearnerReport& report, const std::vector<bool>& judged) {
    for (std::size_t i = 0; i < report.outcomes.size(); ++i) {
      if (i < judged.size() && judged[i]) continue;
      report.outcomes[i] = {};
      report.outcomes[i].mark = Mark::Wrong;
      report.outcomes[i].reason = msg::AnswerNotFinished();
    }
  }

  void EndAll() {
    for (auto& [fd, child] : children_) {
      kill(child.pid, SIGKILL);
      while (waitpid(child.pid, nullptr, 0) < 0 && errno == EINTR) {
      }
      ::close(fd);
    }
    children_.clear();
  }

  const ClassSetup& setup_;
  const std::vector<ModelExercise>& model_;
  const volatile sig_atomic_t* stop_;
  std::vector<LearnerReport> reports_;
  std::map<int, Child> children_;  // by the pipe's descriptor
  Clock::duration silence_{};
};

}  // namespace

std::size_t LearnerReport::Score() const {
  return static_cast<std::size_t>(
      std::count_if(outcomes.begin(), outcomes.end(),
                    [](const ExerciseOutcome& o) { return o.mark == Mark::Right; }));
}

std::string LearnerName(const std::string& file) {
  return std::filesystem::path(file).stem().string();
}

std::vector<LearnerReport> GradeClass(const ClassSetup& setup,
                                      const std::vector<ModelExercise>& model,
                                      const volatile sig_atomic_t* stop) {
  return Scheduler(setup, model, stop).Run();
}

unsigned ProcessorCount() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  const long online = sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 ? static_cast<unsigned>(online) : 1;
}

}  // namespace tarnwick::grader
