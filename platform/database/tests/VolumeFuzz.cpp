// Any bytes as a volume file: the mount either refuses them or gives a volume
// whose every record reads, and a write to it survives the next mount.
#include "platform/database/VolumeStore.h"
#include "platform/database/tests/MemoryVolumeFiles.h"
#include "platform/database/tests/VolumeTestSupport.h"

#include <cstdlib>

using namespace vellumate::database;
using namespace vellumate::database::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryDisk disk;
    // Most inputs start with a real header, so that the entries get read.
    Bytes bytes = VolumeHeader();
    if (size > 0 && data[0] == 0xFF)
        bytes.clear();
    bytes.insert(bytes.end(), data, data + size);
    disk.journal = std::make_shared<Bytes>(bytes);
    VolumeStore::Options options;
    options.compactMinBytes = 256;
    std::unique_ptr<VolumeStore> store;
    if (VolumeStore::Mount(std::make_unique<MemoryVolumeFiles>(disk), MountMode::OpenExisting, options, store) !=
        DbStatus::Ok) {
        if (*disk.journal != bytes)
            std::abort();  // a refused volume is left as it was
        return 0;
    }
    const std::string before = Dump(*store);
    Oid db = 0;
    DatabaseInfo info;
    info.name = u"fuzz";
    if (store->FindDatabase(info.name, db) != DbStatus::Ok && store->CreateDatabase(info, db) != DbStatus::Ok)
        std::abort();
    Oid written = 0;
    if (store->WriteRecord(db, 0, Set({U4(1, 42)}), written) != DbStatus::Ok)
        std::abort();
    const std::string after = Dump(*store);
    std::unique_ptr<VolumeStore> again;
    if (VolumeStore::Mount(std::make_unique<MemoryVolumeFiles>(disk), MountMode::OpenExisting, options, again) !=
            DbStatus::Ok ||
        Dump(*again) != after)
        std::abort();
    (void)before;
    return 0;
}
