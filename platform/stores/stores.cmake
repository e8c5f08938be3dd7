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
target_link_libraries(platform_stores_ce PUBLIC platform_stores platform)

# GCC 12 warns of an unset string inside every std::variant of Prop built in
# place, a known false alarm of its flow analysis.
target_compile_options(platform_stores PRIVATE -Wno-maybe-uninitialized)
target_compile_options(platform_stores_ce PRIVATE -Wno-maybe-uninitialized)
