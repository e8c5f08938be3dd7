#include "framework/Globals.h"

#include "framework/DateTime.h"
#include "framework/ResourceModule.h"

// Defined here, beside InitFramework, so that every program (which calls
// InitFramework) carries and exports it.
extern "C" {
__declspec(dllexport) int g_bUseDST = 1;
}

namespace {

HINSTANCE programModule = nullptr;

String& Title()
{
    static String title;
    return title;
}

}  // namespace

void InitFramework(HINSTANCE module, HINSTANCE resourceModule, UINT titleId)
{
    programModule = module;
    SetResourceModule(resourceModule);
    String title;
    if (titleId != 0)
        title.LoadResourceText(titleId);
    Title() = title.Length() > MaxProgramTitleLength ? title.Left(MaxProgramTitleLength) : title;
}

HINSTANCE ProgramModule() noexcept
{
    return programModule ? programModule : GetModuleHandleW(nullptr);
}

const String& ProgramTitle() noexcept
{
    return Title();
}
