// GoogleTest's port settings for the Windows build, ahead of its own empty
// ones. The product's compiler is the one whose runtime has no threads
// library (so that the .scr runs on Windows XP), and that runtime has no
// std::mutex or std::condition_variable. GoogleTest needs them only for its
// Notification; this one is a Win32 event, kept out of the header so that
// no test sees windows.h through GoogleTest.
#pragma once

#ifdef _WIN32
#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;
};

}  // namespace internal
}  // namespace testing
#endif
