// The drive list on Qt's own combo box, on the offscreen platform, with drives made up.

#include "Qttest.h"

#include "archive/Failingfiles.h"
#include "platform/qt/Qtpeer.h"
#include "platform/qt/Qtplatform.h"
#include "toolkit/Filectrl.h"
#include "toolkit/Forms.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace {

// The system's file services, with drives made up.
class TMadeUpDrives : public TFailingFileServices {
public:
    std::vector<std::string> Drives;
    std::vector<std::string> LogicalDrives() override { return Drives; }
};

} // namespace

TEST(QtComboBoxTest, TheDrivesAreTheComboBoxsItemsAndTheUsersChoiceIsTheControls) {
    TQtPlatform host;
    InstallPlatform(&host);
    {
        TMadeUpDrives files;
        files.Drives = {"/", "/media/cdrom/"};
        TComponentPtr<TForm> form(new TForm(nullptr));
        auto* drives = new TDriveComboBox(form.get());
        drives->SetParent(form.get());
        drives->SetBounds(4, 4, 160, 22);
        drives->Update();
        int changes = 0;
        drives->OnChange = [&](TComponent*) { ++changes; };
        form->Show();

        auto* peer = dynamic_cast<TQtPeer*>(drives->Peer());
        auto* combo = peer ? qobject_cast<QComboBox*>(peer->Widget()) : nullptr;
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->itemText(1).toStdString(), "/media/cdrom/");
        EXPECT_EQ(combo->currentIndex(), drives->ItemIndex());

        // The program's choice: the combo box follows, and says nothing back.
        drives->SetItemIndex(1);
        EXPECT_EQ(combo->currentIndex(), 1);
        EXPECT_EQ(changes, 1);

        // The user's choice is the control's, once.
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        EXPECT_EQ(drives->ItemIndex(), 0);
        EXPECT_EQ(changes, 2);
        emit combo->activated(0);
        EXPECT_EQ(changes, 2);
    }
    InstallPlatform(nullptr);
}
