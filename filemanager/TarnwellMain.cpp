// Tarnwell, the file manager.
#include "filemanager/TarnwellProgram.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int showCommand)
{
    return RunTarnwell(instance, showCommand);
}
