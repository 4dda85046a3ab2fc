#include "MenuPublic.h"

#include "Install.h"
#include "MainFrm.h"
#include "OpenBrowser.h"
#include "Settings.h"

namespace MenuPublic {

void MenuSZ() {
    MainFrm& main = TheMainFrm();
    main.TimerRight.Enabled(false);
    TheInstall().Show(FormShowConstants::Modal, &main);
}

void MenuWeb() { OpenInBrowser(GetHomeUrl()); }

void MenuHelp() { OpenInBrowser(GetContactUrl()); }

}  // namespace MenuPublic
