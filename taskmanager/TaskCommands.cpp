#include "taskmanager/TaskCommands.h"

#include "taskmanager/resource.h"

EnableState RowCommandEnabled(const TaskCommandContext& context)
{
    return context.rowCount > 0;
}

unsigned CommandOfListKey(unsigned virtualKey, int rowCount) noexcept
{
    switch (virtualKey) {
    case VK_RETURN:
        return ID_SWITCH_TO;
    case 0x32:  // the 2 key
        return rowCount > 0 ? ID_CLOSE_ALL : 0;
    case 0x37:  // the 7 key
        return rowCount > 0 ? ID_CLOSE_TASK : 0;
    case VK_F8:  // the star key
        return ID_REFRESH;
    default:
        return 0;
    }
}
