// Lunsett, the task manager.
#include "taskmanager/TaskListDialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int)
{
    return RunDialogProgram(instance, LunsettStartup());
}
