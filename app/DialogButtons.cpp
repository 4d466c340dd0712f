#include "DialogButtons.h"

void SetUpOkCancel(TButton& ok, const char* okCaption, TButton& cancel) {
    ok.SetCaption(okCaption);
    ok.SetDefault(true);
    ok.SetModalResult(mrOk);
    cancel.SetCaption("Cancel");
    cancel.SetCancel(true);
    cancel.SetModalResult(mrCancel);
}
