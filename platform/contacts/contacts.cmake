# The handset's Contacts database and its object model: the portable book and
# restriction code (also built for the host by native.cmake), the store in the
# device folder, the COM objects, and "vmcontacts.dll", the in-process server
# installed in "\Windows" and registered in the handset's registry. Included by
# platform/CMakeLists.txt after the SIM card's targets, whose text helpers the
# book shares.

add_library(platform_contacts STATIC
    contacts/ContactBook.cpp contacts/ContactBook.h
    contacts/ContactsStore.cpp contacts/ContactsStore.h
    contacts/PocketOutlook.h
    contacts/PoomObjects.cpp contacts/PoomObjects.h
    contacts/Restriction.cpp contacts/Restriction.h)
target_link_libraries(platform_contacts PUBLIC platform platform_sim ole32 oleaut32 uuid)

add_library(vmcontacts SHARED contacts/ContactsLibrary.cpp contacts/vmcontacts.def)
target_link_libraries(vmcontacts PRIVATE platform_contacts advapi32)
# No MinGW runtime DLLs on the device: the C++ runtime is linked in.
target_link_options(vmcontacts PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(vmcontacts PROPERTIES
    PREFIX ""
    OUTPUT_NAME vmcontacts
    RUNTIME_OUTPUT_DIRECTORY ${VELLUMATE_PROGRAM_DIR})

# ---- tests -------------------------------------------------------------------

add_library(contacts_testsupport STATIC contacts/tests/ContactsTestSupport.cpp contacts/tests/ContactsTestSupport.h)
target_link_libraries(contacts_testsupport PUBLIC platform_contacts testsupport_win32)
add_dependencies(contacts_testsupport vmcontacts)
# The tests register and load the real server from the program folder.
target_compile_definitions(contacts_testsupport PUBLIC VMCONTACTS_DLL_PATH="$<TARGET_FILE:vmcontacts>")

add_executable(contacts_save_helper contacts/tests/ContactsSaveHelper.cpp)
target_link_libraries(contacts_save_helper PRIVATE contacts_testsupport)
target_link_options(contacts_save_helper PRIVATE -municode)

# The server's class is registered in the test prefix's one registry while a
# test runs: these tests run alone.
vellumate_test(platform_contacts_tests SERIAL
    SOURCES
        contacts/tests/ContactsServerTests.cpp
        contacts/tests/ContactsKillTests.cpp
    LIBS contacts_testsupport)
add_dependencies(platform_contacts_tests contacts_save_helper)

# The tool's contacts and phone commands read back through the services by a probe.
add_executable(phone_probe contacts/tests/PhoneProbe.cpp)
target_link_libraries(phone_probe PRIVATE contacts_testsupport platform_phone)
target_link_options(phone_probe PRIVATE -municode)
if(NOT CMAKE_HOST_WIN32)
    add_test(NAME ContactsCommands.ReachThePrograms
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/contacts/tests/contacts_commands.sh
                     ${PROJECT_SOURCE_DIR}/vellumate ${CMAKE_BINARY_DIR}/wine-run
                     $<TARGET_FILE:phone_probe>)
    set_tests_properties(ContactsCommands.ReachThePrograms PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
endif()
