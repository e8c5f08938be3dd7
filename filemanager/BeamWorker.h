// The beam job and the worker's part of it: connecting to the chosen device
// and sending the files after the last one sent, in blocks of 5000 bytes
// through the OBEX service's put streams. Nothing here knows the dialog: the
// worker tells a BeamReporter, which the dialog turns into messages.
#pragma once

#include "framework/String.h"
#include "platform/obex/Obex.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

inline constexpr DWORD BeamBlockBytes = 5000;

// What the worker tells, on its own thread.
class BeamReporter {
public:
    virtual void Connecting() = 0;
    virtual void FileStarted(int index) = 0;
    // The job's bytesSent and fileSize changed.
    virtual void Progress() = 0;
    // The send failed; `message` (a string number, with the file's path) is
    // to be shown first when it is not 0.
    virtual void Failed(bool connecting, UINT message, const String& path) = 0;
    virtual void AllSent() = 0;

protected:
    ~BeamReporter() = default;
};

struct BeamJob {
    std::vector<String> paths;  // handset paths
    // Written by the worker; the dialog may read them while it runs.
    std::atomic<int> lastSent{-1};  // the index of the last file sent whole
    std::atomic<int> sentCount{0};
    std::atomic<std::uint64_t> fileSize{0};
    std::atomic<std::uint64_t> bytesSent{0};
    bool aborted = false;  // read once the worker has ended
    // The one flag the dialog writes.
    std::atomic<bool> stop{false};

    int FilesLeft() const noexcept { return static_cast<int>(paths.size()) - lastSent - 1; }
    bool AllSent() const noexcept { return FilesLeft() == 0; }
};

// Connects to `device` and sends the files after job.lastSent; the reporter
// hears of each step. True when every file was sent. The caller's thread has
// COM initialised.
bool RunBeamSend(BeamJob& job, IObexDevice* device, BeamReporter& reporter);

// One file's bytes into an open put stream: blocks of BeamBlockBytes until a
// block comes back short, each added to job.bytesSent and reported; then the
// stream is committed. False on a read, write or commit failure, or a stop.
bool SendFileBlocks(BeamJob& job, HANDLE file, IStream* stream, BeamReporter& reporter);
