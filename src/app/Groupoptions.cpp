// The commands of the main window's Options menu.

#include "app/Groupmain.h"

#include "app/Mslink.h"

void TfrmMain::DesktopIcon1Click(TComponent* /*sender*/) {
    msLink link;
    // The link always points to Morvik.exe in the program's folder, whatever name the running
    // program has.
    const TShortcutResult result =
        link.CreateShortcut(programFolder, "Morvik.exe", "Desktop", "Morvik");
    // The success sound only for a link that was written; otherwise the refusal says why.
    if (result) {
        MessageBeep(64);
        return;
    }
    MessageBeep(0);
    ShowMessage("The desktop shortcut could not be written.\n" + result.Reason);
}
