# Pellory's backup file format on the host: the same portable sources the
# program compiles, tested and fuzzed without Wine. The seed corpus is made
# by code at build time (backup_seeds), so no binary files are kept.
# Included by native/CMakeLists.txt.
set(simmanager_dir ${VELLUMATE_ROOT}/simmanager)

vellumate_native_library(backupformat_host SOURCES ${simmanager_dir}/BackupFormat.cpp)

vellumate_native_test(backupformat_host_tests
    SOURCES ${simmanager_dir}/tests/BackupFormatTests.cpp
    LIBS backupformat_host)

add_executable(backup_seeds ${simmanager_dir}/BackupFormat.cpp ${simmanager_dir}/tests/BackupSeeds.cpp)
target_include_directories(backup_seeds PRIVATE ${VELLUMATE_ROOT})

# Backup files arrive on storage cards from anywhere.
set(backup_corpus ${CMAKE_BINARY_DIR}/fuzz-seeds/backup_fuzz)
vellumate_fuzz_target(backup_fuzz
    SOURCES ${simmanager_dir}/tests/BackupFuzz.cpp
    LIBS backupformat_host
    CORPUS ${backup_corpus})
add_dependencies(backup_fuzz backup_seeds)
add_custom_command(TARGET backup_fuzz POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${backup_corpus}
    COMMAND backup_seeds ${backup_corpus}
    VERBATIM)
