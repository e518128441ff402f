#include "support/FaultInjection.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {
struct State {
  std::atomic<bool> armed{false};
  std::atomic<int> calls{0};
  int failAt = -1;
  int error = EIO;
  orv::test::FaultInjector::Action action = orv::test::FaultInjector::Action::Fail;
};

State& Injection() {
  static State state;
  return state;
}

// True when this call is the one to fail (errno set); a kill never returns.
bool Inject() {
  State& s = Injection();
  if (!s.armed.load()) return false;
  if (s.calls.fetch_add(1) != s.failAt) return false;
  if (s.action == orv::test::FaultInjector::Action::Kill) _exit(orv::test::FaultInjector::kKilledStatus);
  errno = s.error;
  return true;
}

template <typename Fn>
Fn Next(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}
}  // namespace

namespace orv::test {
FaultInjector::FaultInjector(int failAt, Action action, int error) {
  State& s = Injection();
  s.failAt = failAt;
  s.action = action;
  s.error = error;
  s.calls = 0;
  s.armed = true;
}

FaultInjector::~FaultInjector() { Injection().armed = false; }

bool FaultInjector::Fired() const { return Injection().calls.load() > Injection().failAt; }
}  // namespace orv::test

// The interposed calls: the executable's definitions come first in symbol lookup, so the
// shared libraries reach these (exported despite the build's hidden default), and these reach
// the next definition (the C library's).
#define ORV_INTERPOSE __attribute__((visibility("default")))
extern "C" {
ORV_INTERPOSE int open(const char* path, int flags, ...) {
  static auto next = Next<int (*)(const char*, int, ...)>("open");
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list args;
    va_start(args, flags);
    mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
  }
  return Inject() ? -1 : next(path, flags, mode);
}

ORV_INTERPOSE ssize_t write(int fd, const void* data, size_t size) {
  static auto next = Next<ssize_t (*)(int, const void*, size_t)>("write");
  return Inject() ? -1 : next(fd, data, size);
}

ORV_INTERPOSE int fsync(int fd) {
  static auto next = Next<int (*)(int)>("fsync");
  return Inject() ? -1 : next(fd);
}

ORV_INTERPOSE int fdatasync(int fd) {
  static auto next = Next<int (*)(int)>("fdatasync");
  return Inject() ? -1 : next(fd);
}

ORV_INTERPOSE int rename(const char* from, const char* to) {
  static auto next = Next<int (*)(const char*, const char*)>("rename");
  return Inject() ? -1 : next(from, to);
}

// A failing close still releases the descriptor, as close(2) does.
ORV_INTERPOSE int close(int fd) {
  static auto next = Next<int (*)(int)>("close");
  if (!Inject()) return next(fd);
  int error = errno;
  next(fd);
  errno = error;
  return -1;
}
}
