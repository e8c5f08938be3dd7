# The zip archive reader and its engine on the host: the same portable
# sources Tarnwell compiles, tested and fuzzed without Wine, and vmzip, the
# tool that writes the sample device's archives and the fuzz seeds.
# Included by native/CMakeLists.txt.
set(archive_dir ${VELLUMATE_ROOT}/filemanager/archive)
find_package(ZLIB REQUIRED)

set(archive_sources
    ${archive_dir}/ArchiveMember.cpp
    ${archive_dir}/ArchiveReader.cpp
    ${archive_dir}/ByteSource.cpp
    ${archive_dir}/Extraction.cpp
    ${archive_dir}/MemberNames.cpp
    ${archive_dir}/ZipCrypto.cpp)
set(archive_testsupport_sources
    ${archive_dir}/testsupport/MemoryOutput.cpp
    ${archive_dir}/testsupport/ZipWriter.cpp)

vellumate_native_library(archive_host
    SOURCES ${archive_sources} ${archive_testsupport_sources}
    LIBS ZLIB::ZLIB)

vellumate_native_test(archive_host_tests
    SOURCES
        ${archive_dir}/tests/ArchiveReaderTests.cpp
        ${archive_dir}/tests/ExtractionTests.cpp
        ${archive_dir}/tests/MemberNameTests.cpp
    LIBS archive_host)

# Archives arrive from anywhere: the member list and extraction into memory.
vellumate_fuzz_target(archive_fuzz
    SOURCES ${archive_dir}/tests/ArchiveFuzz.cpp
    LIBS archive_host
    CORPUS ${archive_dir}/tests/corpus)

# vmzip (no sanitizers): `vmzip samples FOLDER` writes the sample device's
# archives, `vmzip seeds FOLDER` the fuzz target's seed corpus.
add_executable(vmzip ${archive_sources} ${archive_testsupport_sources} ${archive_dir}/tool/ZipToolMain.cpp)
target_include_directories(vmzip PRIVATE ${VELLUMATE_ROOT})
target_link_libraries(vmzip PRIVATE ZLIB::ZLIB)
