# The handset's hardware services (device profile, storage cards, volumes,
# special folders, the shell's file-change notifications) with their shell and
# driver halves, and their tests. Included at the end of CMakeLists.txt, after
# the targets it adds to.

target_sources(platform PRIVATE
    DeviceProfile.cpp DeviceProfile.h
    DevicePaths.cpp DevicePaths.h
    FlashCard.cpp FlashCard.h
    HandsetHardware.cpp HandsetHardware.h
    ProfileSource.cpp ProfileSource.h
    ShellNotify.cpp ShellNotify.h
    ShellNotifyProtocol.cpp ShellNotifyProtocol.h
    SpecialFolders.cpp SpecialFolders.h
    VolumeSpace.cpp VolumeSpace.h)

target_sources(vmshell_core PRIVATE shell/NotifyRelay.cpp shell/NotifyRelay.h)
target_sources(vmdrive_core PRIVATE driver/DeviceNotify.cpp driver/DeviceNotify.h)

# ---- tests -------------------------------------------------------------------

# The shipped sample profile, as the tests under Wine reach it (drive Z: is /).
if(CMAKE_HOST_WIN32)
    set(VELLUMATE_SAMPLE_PROFILE "${PROJECT_SOURCE_DIR}/device/profile.ini")
else()
    set(VELLUMATE_SAMPLE_PROFILE "Z:${PROJECT_SOURCE_DIR}/device/profile.ini")
endif()

vellumate_test(platform_services_tests
    SOURCES
        tests/DeviceProfileTests.cpp
        tests/FlashCardTests.cpp
        tests/HandsetHardwareTests.cpp
        tests/NotifyProtocolTests.cpp
        tests/DevicePathsTests.cpp
        tests/SpecialFoldersTests.cpp
    LIBS vmshell_core testsupport_win32)
target_compile_definitions(platform_services_tests PRIVATE
    VELLUMATE_SAMPLE_PROFILE=L"${VELLUMATE_SAMPLE_PROFILE}")

# A stand-in program that registers for notifications, beside the tests that
# start it.
add_executable(services_notify_helper tests/NotifyHelper.cpp)
target_link_libraries(services_notify_helper PRIVATE platform)
target_link_options(services_notify_helper PRIVATE -municode)

# The cross-process notification tests find "the" shell relay by its window
# class, so they must not run beside one another (or beside a shell).
vellumate_test(platform_notify_tests SERIAL
    SOURCES tests/ShellNotifyTests.cpp
    LIBS vmshell_core testsupport_win32)
add_dependencies(platform_notify_tests services_notify_helper)

# The tool's device commands read back through the platform by a probe.
add_executable(services_profile_probe tests/ProfileProbe.cpp)
target_link_libraries(services_profile_probe PRIVATE platform testsupport_win32)
target_link_options(services_profile_probe PRIVATE -municode)
if(NOT CMAKE_HOST_WIN32)
    add_test(NAME DeviceCommands.EditsReachThePrograms
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/device_commands.sh
                     ${PROJECT_SOURCE_DIR}/vellumate ${CMAKE_BINARY_DIR}/wine-run
                     $<TARGET_FILE:services_profile_probe>)
    set_tests_properties(DeviceCommands.EditsReachThePrograms PROPERTIES TIMEOUT 120)
endif()
