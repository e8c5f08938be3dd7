# The handset's SIM card: the card file (portable, also built for the host by
# native.cmake), the SIM manager's calls over it and their tests. Included by
# platform/CMakeLists.txt after the targets it links.

target_sources(platform PRIVATE DeviceFiles.cpp DeviceFiles.h)

add_library(platform_sim STATIC
    sim/SimCardFile.cpp sim/SimCardFile.h
    sim/SimCardStore.cpp sim/SimCardStore.h
    sim/SimManager.cpp sim/SimManager.h
    sim/SimSession.cpp sim/SimSession.h
    sim/SimWatch.cpp sim/SimWatch.h)
target_link_libraries(platform_sim PUBLIC platform)

vellumate_test(platform_sim_tests
    SOURCES
        sim/tests/SimCardFileTests.cpp
        sim/tests/SimManagerTests.cpp
        sim/tests/SimNotifyTests.cpp
        sim/tests/SimTestSupport.h
    LIBS platform_sim testsupport_win32)

# The tool's card commands read back through the SIM manager by a probe.
add_executable(sim_probe sim/tests/SimProbe.cpp)
target_link_libraries(sim_probe PRIVATE platform_sim platform_phone testsupport_win32)
target_link_options(sim_probe PRIVATE -municode)
add_dependencies(platform_sim_tests sim_probe)
if(NOT CMAKE_HOST_WIN32)
    add_test(NAME SimCommands.ReachThePrograms
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/sim/tests/sim_commands.sh
                     ${PROJECT_SOURCE_DIR}/vellumate ${CMAKE_BINARY_DIR}/wine-run
                     $<TARGET_FILE:sim_probe>)
    set_tests_properties(SimCommands.ReachThePrograms PROPERTIES TIMEOUT 180)
endif()
