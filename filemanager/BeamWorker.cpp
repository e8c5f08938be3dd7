#include "filemanager/BeamWorker.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/SendResources.h"

#include "platform/Handles.h"

#include <memory>

namespace {

template <typename T>
struct Releaser {
    void operator()(T* p) const noexcept { p->Release(); }
};
template <typename T>
using Owned = std::unique_ptr<T, Releaser<T>>;

Owned<IHeaderCollection> NewHeaders()
{
    IHeaderCollection* headers = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_HeaderCollection, nullptr, CLSCTX_INPROC_SERVER, IID_IHeaderCollection,
                                  reinterpret_cast<void**>(&headers))))
        return nullptr;
    return Owned<IHeaderCollection>(headers);
}

bool WriteAll(IStream* stream, const BYTE* bytes, DWORD count)
{
    while (count > 0) {
        ULONG written = 0;
        if (FAILED(stream->Write(bytes, count, &written)) || written == 0)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

}  // namespace

bool SendFileBlocks(BeamJob& job, HANDLE file, IStream* stream, BeamReporter& reporter)
{
    BYTE block[BeamBlockBytes];
    for (;;) {
        if (job.stop)
            return false;
        DWORD read = 0;
        if (!::ReadFile(file, block, BeamBlockBytes, &read, nullptr))
            return false;
        if (read > 0) {
            if (!WriteAll(stream, block, read))
                return false;
            job.bytesSent += read;
            reporter.Progress();
        }
        if (read < BeamBlockBytes)
            return SUCCEEDED(stream->Commit(STGC_DEFAULT));
    }
}

bool RunBeamSend(BeamJob& job, IObexDevice* device, BeamReporter& reporter)
{
    job.aborted = false;
    reporter.Connecting();
    Owned<IHeaderCollection> connectHeaders = NewHeaders();
    if (!device || !connectHeaders || FAILED(device->Connect(nullptr, 0, connectHeaders.get()))) {
        reporter.Failed(true, 0, String());
        return false;
    }
    const auto fail = [&](UINT message, const String& path) {
        job.aborted = true;
        device->Disconnect(connectHeaders.get());
        reporter.Failed(false, message, path);
        return false;
    };
    for (int index = job.lastSent + 1; index < static_cast<int>(job.paths.size()); ++index) {
        if (job.stop)
            return fail(0, String());
        const String& path = job.paths[static_cast<std::size_t>(index)];
        job.fileSize = 0;
        job.bytesSent = 0;
        reporter.FileStarted(index);
        vellumate::FileHandle file(::CreateFileW(ToLongFileSystemPath(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER size{};
        if (!file || !::GetFileSizeEx(file.Get(), &size))
            return fail(IDS_BEAM_CANNOT_OPEN, path);
        job.fileSize = static_cast<std::uint64_t>(size.QuadPart);
        reporter.Progress();

        Owned<IHeaderCollection> headers = NewHeaders();
        IStream* raw = nullptr;
        if (!headers || FAILED(headers->AddName(LastComponent(path))) ||
            (size.QuadPart <= 0xFFFFFFFFll && FAILED(headers->AddLength(static_cast<unsigned long>(size.QuadPart)))) ||
            FAILED(device->Put(headers.get(), &raw)) || !raw)
            return fail(0, String());
        Owned<IStream> stream(raw);
        if (!SendFileBlocks(job, file.Get(), stream.get(), reporter))
            return fail(0, String());
        job.lastSent = index;
        ++job.sentCount;
    }
    device->Disconnect(connectHeaders.get());
    reporter.AllSent();
    return true;
}
