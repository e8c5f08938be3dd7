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
        menubar/tests/PopupMenuTests.cpp
        menubar/tests/ShellDialogsTests.cpp
        menubar/tests/SoftKeyBarTests.cpp
        menubar/tests/test_menubar.h
        tests/TestMain.cpp
    LIBS platform
    RESOURCES menubar/tests/test_menubar.rc)
