#pragma once
// The application has a single show-hint slot, yet every alignment grid wants
// it. The unit installs one handler there that calls every registered
// handler, the latest first, and the handler that was installed before the
// unit started last; each sees what the previous ones left in the arguments.
//
// The unit starts with AligridStart or, failing that, with the first
// registration, and ends with AligridEnd or when the application object that
// it started for is destroyed. Ending gives the application back the handler
// found at the start (or none): never one of a grid that is about to go.

#include "Application.h"

// Adds a handler at the end of the list and installs the chain in the
// application; starts the unit when needed and an application exists.
void AddShowHintHandler(const TShowHintEvent& handler);
// Removes every entry equal to the handler; the application's slot is left as
// it is. After the unit has ended there is nothing to remove.
void RemoveShowHintHandler(const TShowHintEvent& handler);

// Reads the application's handler as the previous one and registers it first.
// Does nothing when the unit runs already.
void AligridStart(TApplication& app);
// Restores the previous handler (or clears the slot) and forgets the list.
void AligridEnd();
bool AligridStarted();
// The number of registered handlers, the previous one included.
int ShowHintHandlerCount();
