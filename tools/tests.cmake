# Tests of the vellumate tool itself, run by CTest with the others.

if(NOT CMAKE_HOST_WIN32)
    add_test(NAME Tool.ScriptsPassShellcheck COMMAND ${PROJECT_SOURCE_DIR}/vellumate lint)
endif()
