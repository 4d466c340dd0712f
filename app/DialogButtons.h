#pragma once
// The accept and cancel buttons of every dialog.

#include "Button.h"
#include "Form.h"

// `ok` is the default button (Enter) with the result mrOk; `cancel` answers Esc with
// mrCancel. Both close the dialog with their result; places are left to the dialog.
void SetUpOkCancel(TButton& ok, const char* okCaption, TButton& cancel);
