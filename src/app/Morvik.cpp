#include "app/Morvik.h"

#include "app/Groupmain.h"
#include "toolkit/Forms.h"

int MorvikMain() {
    TApplication& application = Application();
    try {
        application.Initialize();
        application.CreateForm(frmMain);
        application.Run();
    } catch (...) {
        application.HandleException();
    }
    // The program's end destroys the windows the loop left, so that the settings are still
    // saved after an error.
    while (application.ComponentCount() > 0) {
        TComponent::Free(application.Components(application.ComponentCount() - 1));
    }
    return 0;
}
