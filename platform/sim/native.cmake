# The SIM card file on the host: the platform's own reader and writer of
# sim.txt, portable C++ tested here without Wine (the same tests run under Wine
# from sim.cmake). Included by native/CMakeLists.txt.
set(sim_dir ${VELLUMATE_ROOT}/platform/sim)

vellumate_native_library(simcard_host SOURCES ${sim_dir}/SimCardFile.cpp)

vellumate_native_test(simcard_host_tests
    SOURCES ${sim_dir}/tests/SimCardFileTests.cpp
    LIBS simcard_host)
