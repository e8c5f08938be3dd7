# The Contacts database on the host: the platform's own reader and writer of
# contacts.txt and its restriction parser, portable C++ tested here without
# Wine. Included by native/CMakeLists.txt after the SIM card's targets, whose
# text helpers the book shares.
set(contacts_dir ${VELLUMATE_ROOT}/platform/contacts)

vellumate_native_library(contacts_host
    SOURCES ${contacts_dir}/ContactBook.cpp ${contacts_dir}/Restriction.cpp
    LIBS simcard_host)

vellumate_native_test(contacts_host_tests
    SOURCES ${contacts_dir}/tests/ContactBookTests.cpp
    LIBS contacts_host)

# vmcontactstool, behind `vellumate device contacts` (no sanitizers: it starts
# for every command).
add_executable(vmcontactstool
    ${contacts_dir}/ContactBook.cpp
    ${VELLUMATE_ROOT}/platform/sim/SimCardFile.cpp
    ${contacts_dir}/tool/ContactsToolMain.cpp
    ${VELLUMATE_ROOT}/platform/hosttools/HostFiles.cpp)
target_include_directories(vmcontactstool PRIVATE ${VELLUMATE_ROOT})

# A hand-edited or damaged database, and any restriction a program sends,
# are untrusted text.
vellumate_fuzz_target(contacts_fuzz
    SOURCES ${contacts_dir}/tests/ContactsFuzz.cpp
    LIBS contacts_host
    CORPUS ${contacts_dir}/tests/corpus)
