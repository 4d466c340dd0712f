#pragma once
// The start-up steps of Curvix that need no window: reading and repairing the
// registry settings, the change of scale from the work area, the command line, and
// the window state written at close.

#include "GlobalVars.h"

#include <functional>
#include <string>
#include <vector>

class TRegistry;

// text, title, message-box flags; returns the answer.
using TShowMessage = std::function<int(const std::string&, const std::string&, unsigned)>;

// The message of a store found damaged, wherever it is met: by then the store has been
// set aside for the user, and the next start takes the defaults.
void ShowRegistryDamaged(const TShowMessage& show);

// Reads MultiFileMode, the options block and the window positions. A key without the
// options value keeps the defaults; a malformed value, a damaged store or one out of
// reach shows the registry error, deletes the maker's key and restores the defaults.
// Raises nothing. A stored frequency that is not positive and finite becomes 50.
void ReadSettings(TRegistry& registry, SGlobalVars& globals, SProgramOptions& options,
                  const TShowMessage& show);

// The windows' scale for a work area (step by step as the program always did).
void ComputeScaling(const TRect& workArea, bool smallWindows, SGlobalVars& globals);

// Leading options "/Ms" and "/st", then the files. args[0] is the program. Returns the
// number of file arguments and fills firstFileArg and fileArgCount.
int ParseCommandLine(const std::vector<std::string>& args, SGlobalVars& globals,
                     SProgramOptions& options, const TShowMessage& show);

// At the main window's close: the positions and the mode, or their removal, as one
// update. A failure, a damaged store included, shows one message and raises nothing.
void WriteWindowState(TRegistry& registry, const SGlobalVars& globals,
                      const SProgramOptions& options, const TShowMessage& show);
