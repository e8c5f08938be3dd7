# The handset's mail and phone stores' content: the schema the mail and phone
# applications keep, and the generator of realistic stores. Included by
# platform/CMakeLists.txt.

add_library(platform_stores STATIC
    stores/MailStoreSchema.cpp stores/MailStoreSchema.h
    stores/StoreFiles.cpp stores/StoreFiles.h
    stores/StorePlan.cpp stores/StorePlan.h
    stores/StoreReport.cpp stores/StoreReport.h)
target_include_directories(platform_stores PUBLIC ${PROJECT_SOURCE_DIR})
