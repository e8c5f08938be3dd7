# What the task manager needs of the platform: the executable of a process as
# a handset path, and vmholdout, an application that ignores close requests,
# installed in the device's "\Windows" folder. Included by
# platform/CMakeLists.txt after the targets it adds to.

target_sources(platform PRIVATE ProcessImage.cpp ProcessImage.h)

add_library(vmholdout_core STATIC holdout/HoldoutWindow.cpp holdout/HoldoutWindow.h)
target_link_libraries(vmholdout_core PUBLIC platform)

vellumate_program(vmholdout
    OUTPUT_NAME vmholdout
    SOURCES holdout/HoldoutMain.cpp
    LIBS vmholdout_core)
