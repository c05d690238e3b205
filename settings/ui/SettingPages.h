#pragma once

#include "app/Catalogue.h"
#include "settings/ui/SettingControls.h"

class QWidget;

namespace voltaro {

// The nine pages of the settings window, in the order of its tabs. Each builds its
// controls into `page`, records them in `controls` and fills its fixed captions and
// lists from the catalogue; lists that follow other items stay empty for the window to
// fill.
void BuildGeneralPage1(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildGeneralPage2(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildSavePage1(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildSavePage2(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildHarmonicPage(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildCommunicationPage(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildVoltageQualityPage(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildHardwarePage(SettingControls& controls, const Catalogue& catalogue, QWidget* page);
void BuildAnalogPage(SettingControls& controls, const Catalogue& catalogue, QWidget* page);

// The tab strip with all nine pages; its tabs are captioned from the catalogue.
QWidget* BuildSettingPages(SettingControls& controls, const Catalogue& catalogue, QWidget* parent);

}  // namespace voltaro
