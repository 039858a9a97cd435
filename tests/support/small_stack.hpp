// Running work on a thread with a small stack, as a phone gives a worker
// thread: a test of stack use that fails (with a crash) where the work
// needs more than it has.
#pragma once

#include <pthread.h>

#include <cstddef>
#include <exception>
#include <stdexcept>
#include <type_traits>

namespace tl::testing {

/// The stack every accepted input must be answered in.
inline constexpr std::size_t kSmallStackBytes = std::size_t{1} << 20;

/// Runs `work()` on a new thread whose stack is `bytes` long, waits for it,
/// and throws again what it threw.
template <class Work>
void onSmallStack(Work&& work, std::size_t bytes = kSmallStackBytes) {
    struct Call {
        std::remove_reference_t<Work>* work;
        std::exception_ptr error;
    } call{&work, nullptr};
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) throw std::runtime_error("no thread attributes");
    const bool sized = pthread_attr_setstacksize(&attributes, bytes) == 0;
    pthread_t thread;
    const bool started = sized && pthread_create(
                                      &thread, &attributes,
                                      [](void* data) -> void* {
                                          auto* c = static_cast<Call*>(data);
                                          try {
                                              (*c->work)();
                                          } catch (...) {
                                              c->error = std::current_exception();
                                          }
                                          return nullptr;
                                      },
                                      &call) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) throw std::runtime_error("cannot start a thread with a small stack");
    pthread_join(thread, nullptr);
    if (call.error) std::rethrow_exception(call.error);
}

}  // namespace tl::testing
