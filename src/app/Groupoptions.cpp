// The commands of the main window's Options menu: the desktop shortcut, the About text and
// Cancel. "Quit Application" is the Quit button's own handler.

#include "app/Groupmain.h"

#include "app/Mslink.h"
#include "toolkit/Platform.h"
#include "toolkit/Shell.h"

namespace {

std::string AboutText(const std::string& version) {
    return "Morvik - v" + version +
           "\n"
           "Written for Duke3d and Shadow Warrior\n"
           "\n"
           "This program will create/extract the necessary GRP files for Duke3d and, SW\n"
           "\n"
           "Grouping .Grp Files\n"
           "In the box type in your .grp filename.\n"
           "Select the folder where your files are.\n"
           "Select and Mark those you want to group.\n"
           "Click on Add until all files need are done.\n"
           "Click the Create GRP button.\n"
           "The .grp file will be found in the same folder as all the other files.\n"
           "NB.\n"
           "Old .Grp files will be deleted before a new one is created.\n"
           "\n"
           "Extracting Files.\n"
           "Select the folder and click on the .Grp file.\n"
           "A list of files in the .Grp will be listed.\n"
           "Select and Add what files you want exracted.\n"
           "You can also select the Extract All Files option.\n"
           "Click on the Extract GRP button.\n"
           "NB.\n"
           "The required files will be extracted to a Subfolder called 'Grpfile_Extract'\n"
           "overwriting any previous files.\n";
}

} // namespace

void TfrmMain::DesktopIcon1Click(TComponent* /*sender*/) {
    msLink link;
    // The link always points to the program's file as the system names it (Morvik.exe on
    // Windows) in the program's folder, whatever name the running program has.
    const TShortcutResult result = link.CreateShortcut(
        programFolder, Platform().Shell().ProgramFileName("Morvik"), "Desktop", "Morvik");
    // The success sound only for a link that was written; otherwise the refusal says why.
    if (result) {
        Sound(sndAsterisk);
        return;
    }
    Sound(sndDefault);
    Refuse("The desktop shortcut could not be written.\n" + result.Reason);
}

void TfrmMain::AboutMorvik1Click(TComponent* /*sender*/) {
    Sound(sndAsterisk);
    OrnMesg1->ShowMessage(AboutText(versionText));
}

void TfrmMain::Cancel1Click(TComponent* /*sender*/) {
    // The menu has closed; there is nothing else to do.
}
