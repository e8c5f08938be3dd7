# The stores' content on the host: the generator, the cleaner's scan and
# vmstores, the tool's filler and reader of a device's stores, over the
# volume's portable core (platform/database/native.cmake). Included by
# native/CMakeLists.txt after it.
set(stores_dir ${VELLUMATE_ROOT}/platform/stores)
set(stores_host_sources
    ${stores_dir}/MailStoreSchema.cpp
    ${stores_dir}/StoreFiles.cpp
    ${stores_dir}/StorePlan.cpp
    ${stores_dir}/StorePrediction.cpp
    ${stores_dir}/StoreRecords.cpp
    ${stores_dir}/StoreReport.cpp
    ${stores_dir}/StoreScan.cpp
    ${stores_dir}/StoreVolume.cpp
    ${stores_dir}/tool/HostStoreVolume.cpp)

vellumate_native_library(stores_host SOURCES ${stores_host_sources} LIBS volume_host)

vellumate_native_test(stores_host_tests
    SOURCES ${stores_dir}/tests/StoreHostTests.cpp
    LIBS stores_host)

# vmstores (no sanitizers: it starts for every `vellumate device mail|calls|notes`).
add_executable(vmstores ${stores_host_sources} ${stores_dir}/tool/StoresToolMain.cpp
    ${VELLUMATE_ROOT}/platform/database/VolumeJournal.cpp ${VELLUMATE_ROOT}/platform/database/VolumeStore.cpp)
target_include_directories(vmstores PRIVATE ${VELLUMATE_ROOT})
target_link_libraries(vmstores PRIVATE ZLIB::ZLIB)
