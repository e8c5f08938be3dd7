# The device profile tool for the host: the platform's own profile parser
# compiled with a stand-in for the few Win32 text functions it calls (host/),
# so that `vellumate device` checks and edits profiles without starting Wine.
# Included by native/CMakeLists.txt; the same tests run under Wine from
# CMakeLists.txt beside this file, against the real functions.
set(profiletool_dir ${VELLUMATE_ROOT}/platform/profiletool)

set(profiletool_sources
    ${VELLUMATE_ROOT}/platform/DeviceProfile.cpp
    ${profiletool_dir}/ProfileEditor.cpp
    ${profiletool_dir}/ProfileReport.cpp)

vellumate_native_library(profiletool_host
    SOURCES ${profiletool_sources}
    INCLUDES ${profiletool_dir}/host)

# The tool itself goes without the sanitizers: it starts several times for
# every device command, and their start-up would cost more than its work.
add_executable(vmprofile ${profiletool_sources} ${profiletool_dir}/ProfileToolMain.cpp
    ${VELLUMATE_ROOT}/platform/hosttools/HostFiles.cpp)
target_include_directories(vmprofile PRIVATE ${VELLUMATE_ROOT} ${profiletool_dir}/host)

vellumate_native_test(profiletool_host_tests
    SOURCES ${profiletool_dir}/tests/ProfileToolTests.cpp
    LIBS profiletool_host)
