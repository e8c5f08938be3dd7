# The soft-key menu bar, full-screen dialogs and the Back key (SoftKeyBar.h,
# ShellDialogs.h), part of the platform library every program links, and
# their tests. Included by platform/CMakeLists.txt after the targets it adds to.

target_sources(platform PRIVATE
    HandsetStyle.h
    ShellDialogs.h
    SoftKeyBar.h
    menubar/BackKey.cpp menubar/BackKey.h
    menubar/KeyRouter.cpp menubar/KeyRouter.h
    menubar/MenuBarResource.cpp menubar/MenuBarResource.h
    menubar/MenuBarThread.cpp menubar/MenuBarThread.h
    menubar/MenuPopupWindow.cpp menubar/MenuPopupWindow.h
    menubar/MenuRows.cpp menubar/MenuRows.h
    menubar/MenuSession.cpp menubar/MenuSession.h
    menubar/ModuleInstance.h
    menubar/ShellDialogs.cpp
    menubar/SoftKeyBar.cpp
    menubar/SoftKeyBarWindow.cpp menubar/SoftKeyBarWindow.h)

vellumate_test(menubar_tests
    SOURCES
        menubar/tests/BackKeyTests.cpp
        menubar/tests/MenuRowsTests.cpp
        menubar/tests/MenuTestSupport.cpp
        menubar/tests/MenuTestSupport.h
        menubar/tests/ShellDialogsTests.cpp
        menubar/tests/SoftKeyBarTests.cpp
        menubar/tests/test_menubar.h
    LIBS platform testsupport_win32
    RESOURCES menubar/tests/test_menubar.rc)

# Popup menus (which close when their window leaves the front),
# SHSendBackToFocusWindow and the way home depend on the focus and on the
# window in front, which other test programs on the desktop take: these run
# alone.
vellumate_test(menubar_front_tests SERIAL
    SOURCES
        menubar/tests/BackKeyFocusTests.cpp
        menubar/tests/BarOrderTests.cpp
        menubar/tests/PopupMenuTests.cpp
        menubar/tests/MenuTestSupport.cpp
        menubar/tests/MenuTestSupport.h
    LIBS platform testsupport_win32
    RESOURCES menubar/tests/test_menubar.rc)
