# The handset's mail and phone stores' content: the schema the mail and phone
# applications keep, the generator of realistic stores, and the cleaner's
# scan of them. Included by platform/CMakeLists.txt.

set(stores_model_sources
    stores/MailStoreSchema.cpp stores/MailStoreSchema.h
    stores/StoreFiles.cpp stores/StoreFiles.h
    stores/StorePlan.cpp stores/StorePlan.h
    stores/StorePrediction.cpp stores/StorePrediction.h
    stores/StoreRecords.cpp stores/StoreRecords.h
    stores/StoreReport.cpp stores/StoreReport.h
    stores/StoreScan.cpp stores/StoreScan.h
    stores/StoreVolume.cpp stores/StoreVolume.h)

add_library(platform_stores STATIC ${stores_model_sources})
target_include_directories(platform_stores PUBLIC ${PROJECT_SOURCE_DIR})

# The stores over the platform's database functions: the handset's tests and
# the call log's writer.
add_library(platform_stores_ce STATIC stores/CeStoreVolume.cpp stores/CeStoreVolume.h)
target_link_libraries(platform_stores_ce PUBLIC platform_stores platform_database)

# GCC 12 warns of an unset string inside every std::variant of Prop built in
# place, a known false alarm of its flow analysis.
target_compile_options(platform_stores PRIVATE -Wno-maybe-uninitialized)
target_compile_options(platform_stores_ce PRIVATE -Wno-maybe-uninitialized)

vellumate_test(platform_stores_tests
    SOURCES stores/tests/CeStoreTests.cpp
    LIBS platform_stores_ce testsupport_win32)

# The tool's store commands read back through the platform by a probe.
add_executable(stores_probe stores/tests/StoreProbe.cpp)
target_link_libraries(stores_probe PRIVATE platform_stores_ce testsupport_win32)
target_link_options(stores_probe PRIVATE -municode)
if(NOT CMAKE_HOST_WIN32)
    add_test(NAME StoreCommands.StoresReachThePrograms
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/stores/tests/store_commands.sh
                     ${PROJECT_SOURCE_DIR}/vellumate ${CMAKE_BINARY_DIR}/wine-run
                     $<TARGET_FILE:stores_probe>)
    set_tests_properties(StoreCommands.StoresReachThePrograms PROPERTIES TIMEOUT 300)
endif()
