# The device profile tool for the host: the platform's own profile parser
# compiled with a stand-in for the few Win32 text functions it calls (host/),
# so that `vellumate device` checks and edits profiles without starting Wine.
# Included by native/CMakeLists.txt; the same tests run under Wine from
# CMakeLists.txt beside this file, against the real functions.
set(profiletool_dir ${VELLUMATE_ROOT}/platform/profiletool)

vellumate_native_library(profiletool_host
    SOURCES
        ${VELLUMATE_ROOT}/platform/DeviceProfile.cpp
        ${profiletool_dir}/ProfileEditor.cpp
        ${profiletool_dir}/ProfileReport.cpp
    INCLUDES ${profiletool_dir}/host)

add_executable(vmprofile ${profiletool_dir}/ProfileToolMain.cpp)
target_link_libraries(vmprofile PRIVATE profiletool_host)

vellumate_native_test(profiletool_host_tests
    SOURCES ${profiletool_dir}/tests/ProfileToolTests.cpp
    LIBS profiletool_host)
