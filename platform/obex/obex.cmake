# The handset's OBEX service: the nearby devices of the device profile with
# their inbox folders, the COM objects, and "vmobex.dll", the in-process
# server installed in "\Windows" and registered in the handset's registry;
# tobex.exe, the beam receiver. Included by platform/CMakeLists.txt.

add_library(platform_obex STATIC
    obex/Obex.h
    obex/ObexObjects.cpp obex/ObexObjects.h
    obex/ObexStore.cpp obex/ObexStore.h)
target_link_libraries(platform_obex PUBLIC platform ole32 oleaut32 uuid)

add_library(vmobex SHARED obex/ObexLibrary.cpp obex/vmobex.def)
target_link_libraries(vmobex PRIVATE platform_obex)
# No MinGW runtime DLLs on the device: the C++ runtime is linked in.
target_link_options(vmobex PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(vmobex PROPERTIES
    PREFIX ""
    OUTPUT_NAME vmobex
    RUNTIME_OUTPUT_DIRECTORY ${VELLUMATE_PROGRAM_DIR})

add_library(obex_testsupport STATIC obex/tests/ObexTestSupport.cpp obex/tests/ObexTestSupport.h)
target_link_libraries(obex_testsupport PUBLIC platform_obex testsupport_win32)
add_dependencies(obex_testsupport vmobex)
# The tests register and load the real server from the program folder.
target_compile_definitions(obex_testsupport PUBLIC VMOBEX_DLL_PATH=L"$<TARGET_FILE:vmobex>")

# The server's classes are registered in the test prefix's one registry while
# a test runs: these tests run alone.
vellumate_test(platform_obex_tests SERIAL
    SOURCES obex/tests/ObexServerTests.cpp
    LIBS obex_testsupport)

add_library(vmreceiver_core STATIC
    obex/receiver/ReceiverResources.h
    obex/receiver/ReceiverWindow.cpp obex/receiver/ReceiverWindow.h)
target_link_libraries(vmreceiver_core PUBLIC platform)

vellumate_program(tobex
    OUTPUT_NAME tobex
    SOURCES obex/receiver/ReceiverMain.cpp
    LIBS vmreceiver_core
    RESOURCES obex/receiver/Receiver.rc)
