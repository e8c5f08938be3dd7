// Measuring a category: a worker thread counts its items and adds up their
// sizes while the scan dialog shows them grow.
#pragma once

#include "cleaner/Categories.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

struct ScanProgress {
    explicit ScanProgress(const Category& scanned) noexcept : category(scanned) {}

    const Category& category;
    std::atomic<unsigned> count{0};
    std::atomic<std::uint32_t> size{0};  // bytes; wraps as the handset's 32-bit total does
    // Set by the dialog's caller to end the scan early, and by the worker
    // when it is done.
    std::atomic<bool> stop{false};
};

// Measures the category on this thread, calling `changed` after each item
// counted, and sets the stop flag at the end.
void RunScan(ScanProgress& progress, const std::function<void()>& changed);

// The worker: started with the progress, ended (asked to stop and waited
// for) when the object goes.
class ScanThread {
public:
    ScanThread(ScanProgress& progress, std::function<void()> changed);
    ~ScanThread();
    ScanThread(const ScanThread&) = delete;
    ScanThread& operator=(const ScanThread&) = delete;

private:
    ScanProgress& m_progress;
    std::thread m_thread;
};
