#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

// Guards for process-wide state a test changes (hooks, fields of singletons,
// environment variables, limits): however the test ends, a failed ASSERT
// included, the state is back when the guard goes.

// Runs an action when the scope ends.
class ScopeExit {
 public:
  explicit ScopeExit(std::function<void()> action) : action(std::move(action)) {}
  ~ScopeExit() { action(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  std::function<void()> action;
};

// Gives a variable a value for the guard's life and then its old value back.
template <class T>
class ScopedValue {
 public:
  template <class U>
  ScopedValue(T& target, U&& value)
      : target(target), saved(std::exchange(target, std::forward<U>(value))) {}
  ~ScopedValue() { target = std::move(saved); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& target;
  T saved;
};

// Installs a hook through its setter; the guard sets it to null (no hook).
class ScopedHook : ScopeExit {
 public:
  template <class Setter, class Hook>
  ScopedHook(Setter set, Hook hook) : ScopeExit([set] { set(nullptr); }) {
    set(std::move(hook));
  }
};

// Sets an environment variable, or removes it for a null value; the guard
// puts back the old value or its absence.
class ScopedEnv : ScopeExit {
 public:
  ScopedEnv(const std::string& name, const char* value)
      : ScopeExit(Setter(name, std::getenv(name.c_str()))) {
    Setter(name, value)();
  }

 private:
  // Sets the variable to the value, or removes it for null, when called.
  static std::function<void()> Setter(const std::string& name, const char* value) {
    if (!value) return [name] { unsetenv(name.c_str()); };
    return [name, text = std::string(value)] { setenv(name.c_str(), text.c_str(), 1); };
  }
};

// Caps the size of the files this process writes, so that writes fail part
// way as on a full disk; the signal that would end the process is ignored.
class ScopedFileSizeLimit : ScopeExit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) : ScopeExit(Limit(bytes)) {}

 private:
  static std::function<void()> Limit(rlim_t bytes) {
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) == 0) {
      const rlimit small = {bytes, old.rlim_max};
      if (setrlimit(RLIMIT_FSIZE, &small) == 0)
        return [old, handler] {
          setrlimit(RLIMIT_FSIZE, &old);
          std::signal(SIGXFSZ, handler);
        };
    }
    ADD_FAILURE() << "cannot limit the size of written files";
    return [handler] { std::signal(SIGXFSZ, handler); };
  }
};
