// Deletes all e-mail of the device its environment names, so that a test can
// end it half-way as a crash or a flat battery would. Exit code 0 when the
// deletion succeeded.
#include "cleaner/CategoryDeletion.h"
#include "cleaner/resource.h"

int wmain()
{
    return DeleteCategory(*CategoryNamed(IDS_CATEGORY_ALL_MAIL)).succeeded ? 0 : 1;
}
