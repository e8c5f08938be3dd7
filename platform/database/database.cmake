# The handset's database volumes: the portable journal (also built for the
# host by native.cmake), the platform's database functions over it, and their
# tests under Wine. Included by platform/CMakeLists.txt after the zlib lookup.

add_library(platform_database STATIC
    database/Database.h
    database/DatabaseApi.cpp
    database/RecordBuffer.cpp database/RecordBuffer.h
    database/VolumeFiles.h
    database/VolumeJournal.cpp database/VolumeJournal.h
    database/VolumeStore.cpp database/VolumeStore.h
    database/Win32VolumeFiles.cpp database/Win32VolumeFiles.h)
target_link_libraries(platform_database PUBLIC platform ZLIB::ZLIB)

# A second process on the same volume, for the tests of what one sees of the other.
add_executable(database_probe database/tests/DatabaseProbe.cpp)
target_link_libraries(database_probe PRIVATE platform_database testsupport_win32)
target_link_options(database_probe PRIVATE -municode)

vellumate_test(platform_database_tests
    SOURCES
        database/tests/DatabaseApiTests.cpp
        database/tests/VolumeStoreTests.cpp
    LIBS platform_database testsupport_win32)
add_dependencies(platform_database_tests database_probe)
