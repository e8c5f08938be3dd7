# The SIM card file on the host: the platform's own reader and writer of
# sim.txt, portable C++ tested here without Wine (the same tests run under Wine
# from sim.cmake). Included by native/CMakeLists.txt.
set(sim_dir ${VELLUMATE_ROOT}/platform/sim)

vellumate_native_library(simcard_host SOURCES ${sim_dir}/SimCardFile.cpp)

vellumate_native_test(simcard_host_tests
    SOURCES ${sim_dir}/tests/SimCardFileTests.cpp
    LIBS simcard_host)

# vmsim, the tool's reader and editor of a device's card (no sanitizers: it
# starts for every `vellumate device sim` command).
set(simtool_sources
    ${sim_dir}/SimCardFile.cpp
    ${sim_dir}/tool/SimCardEdits.cpp
    ${sim_dir}/tool/SimCardReport.cpp)
add_executable(vmsim ${simtool_sources} ${sim_dir}/tool/SimToolMain.cpp
    ${VELLUMATE_ROOT}/platform/hosttools/HostFiles.cpp)
target_include_directories(vmsim PRIVATE ${VELLUMATE_ROOT})

vellumate_native_library(simtool_host SOURCES ${sim_dir}/tool/SimCardEdits.cpp ${sim_dir}/tool/SimCardReport.cpp
    LIBS simcard_host)
vellumate_native_test(simtool_host_tests
    SOURCES ${sim_dir}/tool/tests/SimToolTests.cpp
    LIBS simtool_host)

# Hand-edited cards are untrusted text.
vellumate_fuzz_target(simcard_fuzz
    SOURCES ${sim_dir}/tests/SimCardFuzz.cpp
    LIBS simcard_host
    CORPUS ${sim_dir}/tests/corpus)
