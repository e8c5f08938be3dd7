// The soft-key bar of the replace and password questions: the quick folders'
// bar 139 (OK 40155, Cancel 40156), whose left key reads "Go" there. Over a
// question it answers, so it reads "OK".
#pragma once

#include <windows.h>

void LabelArchiveQuestionBar(HWND menuBar);
