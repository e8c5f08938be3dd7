// Storage cards coming and going while Tarnwell runs: the shell's
// notifications, the tree's card nodes, the root listing, and the current
// folder when it was on a card that went away.
#include "filemanager/CardEvents.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/MainWindow.h"
#include "filemanager/PreferenceBits.h"

void MainWindow::OnCardEvent(LPARAM notification)
{
    const std::optional<CardEvent> event = TakeCardEvent(notification);
    if (!event)
        return;
    if (event->change == CardChange::Inserted)
        OnCardInserted(event->cardName);
    else
        OnCardRemoved(event->cardName);
}

void MainWindow::OnCardInserted(const String& cardName)
{
    m_tree.AddCardNodes();
    const String cardPath = JoinPath(L"", cardName);
    if (cardName.IsEmpty() || !EntryExists(cardPath))
        return;
    m_list.InsertCardItem(cardName);
    if (!(m_list.Preferences() & PreferenceFollowCards))
        return;
    HTREEITEM card = m_tree.FindNode(cardPath);
    if (!card)
        return;
    m_tree.SelectNode(card);
    if (m_listMode)
        ReadCurrentFolder();
    else
        m_tree.RestartListing();
}

void MainWindow::OnCardRemoved(const String& cardName)
{
    const bool currentGone = m_tree.RemoveVanishedRootNodes();
    if (!cardName.IsEmpty() && !EntryExists(JoinPath(L"", cardName)))
        m_list.RemoveCardItem(cardName);
    if (!currentGone)
        return;
    if (m_listMode)
        ReadCurrentFolder();
    else
        m_tree.RestartListing();
}
