// The storage cleaner's scan of a device's stores, by the cleaner's own
// rules, so that the tool can say what each category will show:
// - a message's size is its folder record's, its "pmailMsgs" record's, its
//   body file's (e-mail) and, when it has attachments, each attachment
//   record's and file's; a message missing from "pmailMsgs" adds no body;
// - a record without the flags property counts as read;
// - before major version 4 every folder is both an e-mail and a text folder,
//   and text messages have the class "IPM.SMStext.Msg";
// - a folder database that cannot be read ends the walk there;
// - the call log and speed dial measure their database less an empty one's.
#pragma once

#include "platform/stores/StoreReport.h"
#include "platform/stores/StoreVolume.h"

#include <cstdint>
#include <filesystem>

namespace vellumate::stores {

// `root` is the device root the "\MAPI" files lie below.
MailReport ScanMail(StoreVolume& volume, const std::filesystem::path& root, std::uint32_t osMajor);
PhoneReport ScanPhone(StoreVolume& volume);

// A mail report for a volume that cannot be mounted: every category empty.
MailReport EmptyMailReport();

}  // namespace vellumate::stores
