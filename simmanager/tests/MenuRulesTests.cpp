// When the main window offers its commands: the states a menu takes from the
// SIM, the store and the current view.
#include "simmanager/MenuRules.h"
#include "simmanager/resource.h"

#include <gtest/gtest.h>

namespace {

MenuContext ReadyWithFocus()
{
    MenuContext context;
    context.simReady = true;
    context.phonebooksLoaded = true;
    context.hasFocus = true;
    context.markedCount = 1;
    context.viewEmpty = false;
    return context;
}

TEST(MenuRules, TheViewDecidesWhatAReadySimOffers)
{
    MenuContext context = ReadyWithFocus();
    for (UINT command : {ID_EDIT_ENTRY, ID_DIAL, ID_DELETE_MARKED, ID_MARK_ALL, ID_ADD_PREFIX, ID_SETTINGS})
        EXPECT_EQ(MenuCommandState(command, context), true) << command;

    context.markedCount = 2;
    EXPECT_EQ(MenuCommandState(ID_DIAL, context), false);
    EXPECT_EQ(MenuCommandState(ID_EDIT_ENTRY, context), false);
    EXPECT_EQ(MenuCommandState(ID_DELETE_MARKED, context), true);

    context = ReadyWithFocus();
    context.hasFocus = false;
    EXPECT_EQ(MenuCommandState(ID_REPLACE_TEXT, context), false);
    EXPECT_EQ(MenuCommandState(ID_MARK_ALL, context), true);

    // An empty view greys the eleven; new entry, settings and about stay.
    context = ReadyWithFocus();
    context.viewEmpty = true;
    context.hasFocus = false;
    context.markedCount = 0;
    for (UINT command : {ID_DIAL, ID_DELETE_MARKED, ID_EDIT_ENTRY, ID_COPY_TO_CONTACTS, ID_BACKUP,
                         ID_DUPLICATE_MARKED, ID_ADD_PREFIX, ID_REMOVE_PREFIX, ID_REPLACE_TEXT, ID_MARK_ENTRIES,
                         ID_MARK_ALL})
        EXPECT_EQ(MenuCommandState(command, context), false) << command;
    EXPECT_EQ(MenuCommandState(ID_SETTINGS, context), true);
    EXPECT_FALSE(MenuCommandState(ID_NEW_ENTRY, context).has_value());
    EXPECT_FALSE(MenuCommandState(ID_ABOUT, context).has_value());
}

TEST(MenuRules, WithoutAReadySimOnlyWhatWasReadStaysUsable)
{
    MenuContext context = ReadyWithFocus();
    context.simReady = false;
    EXPECT_EQ(MenuCommandState(ID_EDIT_ENTRY, context), false);
    EXPECT_EQ(MenuCommandState(ID_MARK_ALL, context), false);
    EXPECT_EQ(MenuCommandState(ID_DIAL, context), true);
    EXPECT_EQ(MenuCommandState(ID_SETTINGS, context), true);

    context.phonebooksLoaded = false;
    EXPECT_EQ(MenuCommandState(ID_DIAL, context), false);
    EXPECT_EQ(MenuCommandState(ID_SETTINGS, context), false);
    EXPECT_EQ(MenuCommandState(ID_PHONE_INFO, context), false);
}

TEST(MenuRules, TheShownFilterIsMarkedInTheRadioGroup)
{
    EXPECT_EQ(ShownFilterCommand(ViewKind::Duplicates), static_cast<UINT>(ID_SHOW_DUPLICATES));
    EXPECT_EQ(ShownFilterCommand(ViewKind::Redundant), static_cast<UINT>(ID_SHOW_REDUNDANT));
    EXPECT_EQ(ShownFilterCommand(ViewKind::KeypadSearch), static_cast<UINT>(ID_SHOW_ALL));
}

}  // namespace
