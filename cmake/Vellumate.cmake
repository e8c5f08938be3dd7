# Helpers shared by every folder's CMakeLists.txt.

# Where the built programs, resource files and helper DLLs are collected; the
# vellumate tool installs this folder into a device's program folder.
set(VELLUMATE_PROGRAM_DIR ${CMAKE_BINARY_DIR}/programs)
file(MAKE_DIRECTORY ${VELLUMATE_PROGRAM_DIR})

# A GoogleTest executable run under Wine through CTest. Test cases are listed
# when CTest runs, not at build time, so building needs no Wine prefix.
# Test programs start at wmain (-municode), which GoogleTest's own main library
# lacks; they link test_main (platform/tests/TestMain.cpp) unless OWN_MAIN says
# the sources bring their own. SERIAL keeps a program's tests from running
# beside any other test: for tests that need the focus or the front window, or
# find a window of the desktop by its class.
function(vellumate_test name)
    cmake_parse_arguments(ARG "OWN_MAIN;SERIAL" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} ${ARG_RESOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
    if(NOT ARG_OWN_MAIN)
        target_link_libraries(${name} PRIVATE test_main)
    endif()
    target_link_options(${name} PRIVATE -municode)
    set(properties TIMEOUT 120)
    if(ARG_SERIAL)
        list(APPEND properties RUN_SERIAL TRUE)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ${properties})
endfunction()

# A benchmark: a plain console program that times an operation against a
# baseline and prints the ratio. All of them go to build/bench, where
# `./vellumate bench` runs them.
function(vellumate_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} ${ARG_RESOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -municode)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# A handset program: a static library with everything but wWinMain, plus the
# executable. Installed into the device's program folder.
function(vellumate_program name)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME" "SOURCES;LIBS;RESOURCES" ${ARGN})
    add_executable(${name} WIN32 ${ARG_SOURCES} ${ARG_RESOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -municode -mwindows)
    if(ARG_OUTPUT_NAME)
        set_target_properties(${name} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELLUMATE_PROGRAM_DIR})
endfunction()

# A resource-only DLL: the localized resource file that a program binds as its
# resource module at start-up. It goes to the program folder unless
# OUTPUT_DIRECTORY names another (test variants stay beside their tests).
function(vellumate_resource_dll name)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME;OUTPUT_DIRECTORY" "RESOURCES" ${ARGN})
    if(NOT ARG_OUTPUT_DIRECTORY)
        set(ARG_OUTPUT_DIRECTORY ${VELLUMATE_PROGRAM_DIR})
    endif()
    add_library(${name} SHARED ${ARG_RESOURCES})
    # Resource scripts name headers from the top of the tree, as the code does.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES
        LINKER_LANGUAGE C PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME}
        RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
    # GNU ld for PE has no --no-entry: a resource-only DLL gets entry 0.
    target_link_options(${name} PRIVATE -nostdlib -Wl,--entry=0 -Wl,--exclude-all-symbols)
endfunction()
