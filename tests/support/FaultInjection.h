#pragma once
// Fault injection for crash-safety tests. The test executable interposes the file-system
// calls that the libraries make (open, write, fsync, fdatasync, rename, close); while an
// injector is armed they are counted, and the n-th one (0-based) fails with an error or
// ends the process on the spot, as a kill would. Disarmed, every call passes through.
namespace orv::test {

class FaultInjector {
public:
  enum class Action { Fail, Kill };
  // Arms: the call numbered failAt fails with `error` (errno), or _exit(kKilledStatus)s.
  explicit FaultInjector(int failAt, Action action = Action::Fail, int error = 5 /* EIO */);
  ~FaultInjector();  // disarms
  FaultInjector(const FaultInjector&) = delete;
  FaultInjector& operator=(const FaultInjector&) = delete;

  // Whether the call numbered failAt has come.
  bool Fired() const;

  static constexpr int kKilledStatus = 86;
};

}  // namespace orv::test
