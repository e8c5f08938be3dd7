// MainWindow: backing up the general phonebook to a storage card and
// restoring it from one.
#include "simmanager/MainWindow.h"

#include "simmanager/RestoreBackupDialog.h"
#include "simmanager/SaveBackupDialog.h"

void MainWindow::BackUp()
{
    SaveBackupDialog dialog(Window(), m_sim);
    RunCommandDialog(dialog);
}

void MainWindow::Restore()
{
    RestoreBackupDialog dialog(Window(), m_sim, Options());
    RunCommandDialog(dialog);
}
