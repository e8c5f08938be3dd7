# The framework's user interface: dialogs from templates, the HTML page dialog,
# the about box, display helpers, single instance and program start-up; their
# tests and the demo program. Included by CMakeLists.txt after the framework
# and its test support are defined.

target_sources(framework PRIVATE
    About.cpp About.h AboutResources.h
    DialogControls.cpp DialogControls.h
    DeviceFactsPanel.cpp DeviceFactsPanel.h
    DialogPane.cpp DialogPane.h
    Dialogs.cpp Dialogs.h
    Display.cpp Display.h
    HtmlDialog.cpp HtmlDialog.h
    MainWindowBase.h
    MenuBars.cpp MenuBars.h
    SingleInstance.cpp SingleInstance.h
    Startup.cpp Startup.h)
target_link_libraries(framework PUBLIC comctl32 gdi32)

# ---- tests -------------------------------------------------------------------

# Back acts on the focus, which only the active window's thread holds: these
# tests must not run beside others that make windows (and take the activation).
vellumate_test(framework_ui_tests SERIAL
    SOURCES
        tests/AboutTests.cpp
        tests/DialogTests.cpp
        tests/DisplayTests.cpp
        tests/HtmlDialogTests.cpp
        tests/MainWindowBaseTests.cpp
        tests/UiTestSupport.cpp
        tests/UiTestSupport.h
    LIBS framework testsupport platform
    RESOURCES tests/test_dialogs.rc)
# The resource compiler finds the test icon and the about fragment.
target_include_directories(framework_ui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)

# The dialogs load the real viewer the way a program does: by name, found
# beside the executable.
add_dependencies(framework_ui_tests htmlview)
add_custom_command(TARGET framework_ui_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:htmlview> $<TARGET_FILE_DIR:framework_ui_tests>
    VERBATIM)

# Resource files whose about strings differ from the usual ones, beside the
# test executable (out of the device's program folder).
foreach(variant bare short percent)
    set(target framework_ui_test_about_${variant})
    vellumate_resource_dll(${target}
        OUTPUT_NAME ${target}
        OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        RESOURCES tests/test_about_variant.rc)
    string(TOUPPER ${variant} upper)
    target_compile_definitions(${target} PRIVATE ABOUT_VARIANT_${upper})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
    add_dependencies(framework_ui_tests ${target})
endforeach()

# Start-up runs real program processes: the helper below, started by the tests
# as a first and a second copy. The tests look at the foreground window, so
# they must not run beside other tests that make windows.
add_executable(framework_startup_helper WIN32 tests/StartupHelper.cpp tests/test_dialogs.rc)
target_link_libraries(framework_startup_helper PRIVATE framework platform shell32)
target_link_options(framework_startup_helper PRIVATE -municode -mwindows)
target_include_directories(framework_startup_helper PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)

vellumate_test(framework_startup_tests SERIAL
    SOURCES
        tests/StartupTests.cpp
        tests/UiTestSupport.cpp
        tests/UiTestSupport.h
    LIBS framework testsupport platform
    RESOURCES tests/test_dialogs.rc)
target_include_directories(framework_startup_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
add_dependencies(framework_startup_tests framework_startup_helper)

# ---- the demo program -----------------------------------------------------------

vellumate_program(fwdemo
    OUTPUT_NAME fwdemo
    SOURCES demo/DemoMain.cpp demo/DemoWindow.cpp demo/DemoWindow.h demo/SampleDialog.cpp demo/SampleDialog.h
            demo/demo_resources.h demo/SampleDialogControls.h
    LIBS framework platform
    RESOURCES demo/fwdemo.rc)
target_include_directories(fwdemo PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/demo)
