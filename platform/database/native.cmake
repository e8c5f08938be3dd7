# The database volume's journal on the host: the same portable sources the
# platform's database functions use, tested without Wine so that a writer can
# be killed a thousand times in seconds. Included by native/CMakeLists.txt.
set(database_dir ${VELLUMATE_ROOT}/platform/database)
find_package(ZLIB REQUIRED)

vellumate_native_library(volume_host
    SOURCES ${database_dir}/VolumeJournal.cpp ${database_dir}/VolumeStore.cpp
    LIBS ZLIB::ZLIB)

vellumate_native_test(volume_host_tests
    SOURCES
        ${database_dir}/tests/VolumeStoreTests.cpp
        ${database_dir}/tests/VolumeKillTests.cpp
        ${database_dir}/tests/KillScenario.cpp
    LIBS volume_host)

# A thousand kills, run by `./vellumate bench`.
add_executable(volume_kill_bench ${database_dir}/tests/VolumeKillBench.cpp ${database_dir}/tests/KillScenario.cpp)
target_link_libraries(volume_kill_bench PRIVATE volume_host)
set_target_properties(volume_kill_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# Volume files are bytes from anywhere: a copied device, a full disk, a crash.
vellumate_fuzz_target(volume_fuzz
    SOURCES ${database_dir}/tests/VolumeFuzz.cpp
    LIBS volume_host
    CORPUS ${database_dir}/tests/corpus)
