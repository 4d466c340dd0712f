#pragma once
// Today's date as the user's short date format writes it (for copy and print headers).
// Tests replace the source so their expected texts do not depend on the day.

#include <functional>
#include <string>

std::string ShortDateText();

using TDateHook = std::function<std::string()>;
// An empty hook restores today's date.
TDateHook SetDateHook(TDateHook hook);
