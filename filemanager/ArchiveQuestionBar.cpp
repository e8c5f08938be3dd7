#include "filemanager/ArchiveQuestionBar.h"

#include "filemanager/ArchiveResources.h"
#include "framework/MenuBars.h"
#include "framework/String.h"

void LabelArchiveQuestionBar(HWND menuBar)
{
    String text;
    text.LoadResourceText(IDS_ARCHIVE_ANSWER_OK);
    SetMenuBarButtonText(menuBar, ID_ARCHIVE_ANSWER_OK, text);
}
