# Shell execution of handset paths (the library itself is made in
# platform/CMakeLists.txt, before the home shell that links it), vmview, the
# document viewer installed in the device's "\Windows" folder, and their
# tests. Included by platform/CMakeLists.txt after the targets it adds to.

add_library(vmview_core STATIC viewer/ViewerWindow.cpp viewer/ViewerWindow.h viewer/ViewerResources.h)
target_link_libraries(vmview_core PUBLIC platform shellexec)

vellumate_program(vmview
    OUTPUT_NAME vmview
    SOURCES viewer/ViewerMain.cpp
    LIBS vmview_core
    RESOURCES viewer/Viewer.rc)

vellumate_test(shellexec_tests
    SOURCES shellexec/tests/ShellExecuteTests.cpp shellexec/tests/ShellShortcutsTests.cpp
    LIBS vmview_core testsupport_win32)
add_dependencies(shellexec_tests vmview)
if(CMAKE_HOST_WIN32)
    set(VELLUMATE_VIEWER_PATH "$<TARGET_FILE:vmview>")
else()
    set(VELLUMATE_VIEWER_PATH "Z:$<TARGET_FILE:vmview>")
endif()
target_compile_definitions(shellexec_tests PRIVATE VELLUMATE_VIEWER=L"${VELLUMATE_VIEWER_PATH}")
