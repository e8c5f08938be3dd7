// vmdrive notify: tells the session's home shell about a device event, which
// the shell hands to every program registered for it.
//
//   vmdrive notify card-insert "\Storage Card"
//   vmdrive notify card-remove "\Storage Card"
#pragma once

#include <string>
#include <vector>

namespace vellumate {

// The command's arguments after "notify"; returns the exit code (0 done,
// 1 no shell or refused, 2 bad command line).
int NotifyCommand(const std::vector<std::wstring>& arguments);

}  // namespace vellumate
