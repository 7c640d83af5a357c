// Waiting for a condition with a time limit, for tests of every kind (portable; Windows
// tests that must keep their own windows alive use PumpUntil of test_windows.h).
#pragma once
#include <chrono>
#include <functional>

// The limit of a wait for what is to come (a window, a title, a file's content): far above
// its normal time, so that a busy machine does not fail the test, while the event ends the
// wait early. A check that something does not happen waits a short time of its own.
constexpr unsigned kEventLimitMs = 60000;
constexpr std::chrono::milliseconds kEventLimit{kEventLimitMs};

// Tries the condition until it holds or the limit has passed, sleeping a step between
// tries; it is tried once more when the time is up. True when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds step = std::chrono::milliseconds(10));

// The same with the caller's own pause between tries; pause is given at most the step and
// never more than the time left.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds step, const std::function<void(std::chrono::milliseconds)>& pause);
