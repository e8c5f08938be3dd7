// The entry points of "htmlview.dll".
#include "platform/htmlview/HtmlView.h"

#include "platform/htmlview/HtmlViewWindow.h"

namespace {

HINSTANCE g_module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded by FreeLibrary while the process goes on: the class must
        // not outlive the procedure it points to.
        vellumate::htmlview::UnregisterHtmlViewClass(module);
    }
    return TRUE;
}

extern "C" BOOL WINAPI InitHTMLControl(HINSTANCE /*instance*/)
{
    // The class belongs to this library, not to the caller's module, so a
    // window may name either one as its instance.
    return vellumate::htmlview::RegisterHtmlViewClass(g_module) ? TRUE : FALSE;
}
