// MainWindow: the command table, its handlers and the menu states.
#include "simmanager/MainWindow.h"

#include "simmanager/EntryEditorDialog.h"
#include "simmanager/MarkDialog.h"
#include "simmanager/MenuRules.h"
#include "simmanager/NumberChangeDialogs.h"
#include "simmanager/PhoneInfoDialog.h"
#include "simmanager/PrefixChanges.h"
#include "simmanager/RuleDialogs.h"
#include "simmanager/SettingsDialogs.h"
#include "simmanager/resource.h"

#include "framework/CommandTable.h"

#include <string>
#include <vector>

namespace {

template <UINT Command>
EnableState Rule(const MenuContext& context)
{
    return MenuCommandState(Command, context);
}

using Row = CommandRow<MainWindow, MenuContext>;

}  // namespace

struct MainCommandTable {
    static constexpr Row Rows[] = {
    {ID_NEW_ENTRY, &MainWindow::NewEntry, nullptr},
    {ID_EDIT_ENTRY, &MainWindow::EditEntry, Rule<ID_EDIT_ENTRY>},
    {ID_DELETE_MARKED, &MainWindow::DeleteMarked, Rule<ID_DELETE_MARKED>},
    {ID_DIAL, &MainWindow::Dial, Rule<ID_DIAL>},
    {ID_MARK_ALL, &MainWindow::MarkAll, Rule<ID_MARK_ALL>},
    {ID_MARK_ENTRIES, &MainWindow::MarkEntries, Rule<ID_MARK_ENTRIES>},
    {ID_DUPLICATE_MARKED, &MainWindow::DuplicateMarked, Rule<ID_DUPLICATE_MARKED>},
    {ID_SHOW_ALL, &MainWindow::ShowAll, nullptr},
    {ID_SHOW_DUPLICATES, &MainWindow::ShowDuplicates, nullptr},
    {ID_SHOW_REDUNDANT, &MainWindow::ShowRedundant, nullptr},
    {ID_COPY_TO_CONTACTS, &MainWindow::CopyToContacts, Rule<ID_COPY_TO_CONTACTS>},
    {ID_COPY_FROM_CONTACTS, &MainWindow::CopyFromContacts, Rule<ID_COPY_FROM_CONTACTS>},
    {ID_BACKUP, &MainWindow::BackUp, Rule<ID_BACKUP>},
    {ID_RESTORE, &MainWindow::Restore, Rule<ID_RESTORE>},
    {ID_PHONE_INFO, &MainWindow::ShowPhoneInfo, Rule<ID_PHONE_INFO>},
    {ID_ADD_PREFIX, &MainWindow::AddPrefix, Rule<ID_ADD_PREFIX>},
    {ID_REMOVE_PREFIX, &MainWindow::RemovePrefix, Rule<ID_REMOVE_PREFIX>},
    {ID_REPLACE_TEXT, &MainWindow::ReplaceText, Rule<ID_REPLACE_TEXT>},
    {ID_ABOUT, &MainWindow::ShowAbout, nullptr},
    {ID_SETTINGS, &MainWindow::ShowSettings, Rule<ID_SETTINGS>},
    };
};

namespace {

std::vector<std::wstring> ToTexts(const StringArray& strings)
{
    std::vector<std::wstring> texts;
    for (int index = 0; index < strings.GetSize(); ++index)
        texts.emplace_back(strings[index].Chars());
    return texts;
}

}  // namespace

bool MainWindow::OnCommand(UINT command)
{
    const BusyScope busy(m_busyDepth);
    if (!RunTableCommand(MainCommandTable::Rows, *this, command))
        return false;
    Repaint();
    return true;
}

void MainWindow::OnMenuOpening(HMENU menu)
{
    const EntryView* view = CurrentView();
    MenuContext context;
    context.genericStore = m_sim.CurrentStoreIndex() == GenericStore;
    context.simReady = SimCaps::Instance().Ready();
    context.phonebooksLoaded = SimCaps::Instance().PhonebooksLoaded();
    context.hasFocus = view && view->FocusedRow() >= 0;
    context.markedCount = view ? view->MarkedCount() : 0;
    context.viewEmpty = !view || view->IsEmpty();
    context.kind = view ? view->Kind() : ViewKind::Base;
    ApplyEnableRules(MainCommandTable::Rows, menu, context);
    if (GetMenuState(menu, ID_SHOW_ALL, MF_BYCOMMAND) != static_cast<UINT>(-1))
        CheckMenuRadioItem(menu, ID_SHOW_ALL, ID_SHOW_REDUNDANT, ShownFilterCommand(context.kind), MF_BYCOMMAND);
}

void MainWindow::NewEntry()
{
    PhonebookStore* store = m_sim.CurrentStore();
    if (!store || !m_sim.HasEmptySlot()) {
        ShowSimError(Window(), IDS_SIM_FULL);
        return;
    }
    EntryEditorDialog editor(Window(), {}, static_cast<std::size_t>(store->NameLimit()),
                             static_cast<std::size_t>(store->NumberLimit()));
    if (!RunCommandDialog(editor) || !editor.Confirmed())
        return;
    m_sim.AddEntry(editor.Texts().name.c_str(), editor.Texts().number.c_str(), Options(), m_messages);
}

void MainWindow::EditEntry()
{
    EntryView* view = CurrentView();
    PhonebookSlot* slot = view ? view->FocusedSlot() : nullptr;
    if (!slot) {
        ShowSimError(Window(), IDS_NO_FOCUSED_ENTRY);
        return;
    }
    EntryEditorDialog editor(Window(), {slot->Name().Chars(), slot->Number().Chars()},
                             static_cast<std::size_t>(slot->NameLimit()),
                             static_cast<std::size_t>(slot->NumberLimit()));
    if (!RunCommandDialog(editor) || !editor.Confirmed())
        return;
    m_sim.EditSlot(*slot, editor.Texts().name.c_str(), editor.Texts().number.c_str(), Options(), m_messages);
}

void MainWindow::DeleteMarked()
{
    m_sim.DeleteMarked(Options(), m_messages);
}

void MainWindow::Dial()
{
    if (m_sim.CanDial())
        m_sim.Dial();
}

void MainWindow::MarkAll()
{
    EntryView* view = CurrentView();
    if (!view || view->IsEmpty())
        return;
    if (view->FocusedRow() < 0)
        view->FocusRow(0, Options().rowsPerPage);
    view->MarkAll();
}

void MainWindow::MarkEntries()
{
    EntryView* view = CurrentView();
    if (!view || view->IsEmpty())
        return;
    std::unique_ptr<EntryView> copy = view->MakeMarkCopy();
    ListPicture look;
    look.display = m_settings.displayKey;
    look.rules = &m_rules;
    PhonebookStore* store = m_sim.CurrentStore();
    MarkDialog dialog(Window(), *copy, m_painter, look, std::wstring(m_rules.Apply(m_sim.OwnNumber()).Chars()),
                      store ? store->FilledCount() : 0);
    if (!RunCommandDialog(dialog) || !dialog.Done())
        return;
    view->TakeMarksFrom(*copy);
    view->ShowFocus(Options().rowsPerPage);
}

void MainWindow::DuplicateMarked()
{
    m_sim.DuplicateMarked(Options(), m_messages);
}

void MainWindow::ShowAll()
{
    if (PhonebookStore* store = m_sim.CurrentStore())
        store->ResetViews();
}

void MainWindow::ShowDuplicates()
{
    if (PhonebookStore* store = m_sim.CurrentStore())
        store->ShowDuplicates(Options());
}

void MainWindow::ShowRedundant()
{
    PhonebookStore* store = m_sim.CurrentStore();
    if (store && store->ShowRedundant(Options()) == FilterResult::OutOfMemory)
        ShowSimError(Window(), IDS_OUT_OF_MEMORY);
}

void MainWindow::AddPrefix()
{
    PrefixDialog dialog(Window(), PrefixMode::Add);
    if (!RunCommandDialog(dialog) || !dialog.Confirmed())
        return;
    ::AddPrefix(m_sim, dialog.Prefix().c_str(), dialog.ZeroBox(), Options(), m_messages);
}

void MainWindow::RemovePrefix()
{
    PrefixDialog dialog(Window(), PrefixMode::Remove);
    if (!RunCommandDialog(dialog) || !dialog.Confirmed())
        return;
    ::RemovePrefix(m_sim, dialog.Prefix().c_str(), dialog.ZeroBox(), Options(), m_messages);
}

void MainWindow::ReplaceText()
{
    ReplaceDialog dialog(Window());
    if (!RunCommandDialog(dialog) || !dialog.Confirmed())
        return;
    ::ReplaceText(m_sim, dialog.Find().c_str(), dialog.Replacement().c_str(), Options(), m_messages);
}

void MainWindow::ShowAbout()
{
    AboutBox about(Window(), PelloryRelease);
    RunCommandDialog(about);
}

void MainWindow::ShowSettings()
{
    SettingsChooserDialog chooser(Window());
    if (!RunCommandDialog(chooser) || !chooser.Choice())
        return;
    if (*chooser.Choice() == SettingsPage::SortAndDisplay)
        ShowSortAndDisplay();
    else
        ShowDisplayRules();
}

void MainWindow::ShowSortAndDisplay()
{
    SortDisplayDialog dialog(Window(), {static_cast<std::uint32_t>(m_settings.sortKey),
                                        static_cast<std::uint32_t>(m_settings.displayKey)});
    if (!RunCommandDialog(dialog) || !dialog.Choice())
        return;
    const auto sortKey = static_cast<SortKey>(dialog.Choice()->sortKey);
    const auto displayKey = static_cast<DisplayKey>(dialog.Choice()->displayKey);
    const bool displayChanged = displayKey != m_settings.displayKey;
    m_settings.sortKey = sortKey;
    m_settings.displayKey = displayKey;
    const ViewOptions options = Options();
    for (int index = 0; index < SimAccess::StoreCount; ++index) {
        if (PhonebookStore* store = m_sim.Store(index))
            store->SortAllViews(options);
    }
    WriteSortKey(sortKey, SettingsKey());
    WriteDisplayKey(displayKey, SettingsKey());
    // A search typed over names means nothing over numbers.
    if (displayChanged)
        if (PhonebookStore* store = m_sim.CurrentStore())
            store->ResetViews();
}

void MainWindow::ShowDisplayRules()
{
    RuleListDialog dialog(Window(), ToTexts(m_rules.Texts()));
    if (!RunCommandDialog(dialog) || !dialog.Confirmed())
        return;
    StringArray texts;
    for (const std::wstring& rule : dialog.Rules())
        texts.Add(String(rule.c_str()));
    WriteDisplayRules(texts, SettingsKey());
    const std::vector<wchar_t> joined = JoinDisplayRules(texts);
    m_rules.Parse(joined.data(), static_cast<int>(joined.size()), m_messages);
}

void MainWindow::ShowPhoneInfo()
{
    PhoneInfoDialog dialog(Window(), GatherPhoneInfo(m_sim.SmscNumber()));
    RunCommandDialog(dialog);
}
