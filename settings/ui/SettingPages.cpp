#include "settings/ui/SettingPages.h"

#include <QTabWidget>

#include "app/ui/NamedControl.h"

namespace voltaro {

QWidget* BuildSettingPages(SettingControls& c, const Catalogue& catalogue, QWidget* parent) {
    using PageBuilder = void (*)(SettingControls&, const Catalogue&, QWidget*);
    constexpr PageBuilder kPages[] = {BuildGeneralPage1,       BuildGeneralPage2, BuildSavePage1,
                                      BuildSavePage2,          BuildHarmonicPage, BuildCommunicationPage,
                                      BuildVoltageQualityPage, BuildHardwarePage, BuildAnalogPage};
    constexpr int kFirstTabCaption = 2023;
    c.tabSetting = named(new QTabWidget(parent), "tabSetting");
    // Every page's tab in sight, none behind a scroll button.
    c.tabSetting->setUsesScrollButtons(false);
    for (int k = 0; k < 9; ++k) {
        auto* frame = named(new QWidget, "fraTab", k);
        kPages[k](c, catalogue, frame);
        c.tabSetting->addTab(frame, QString::fromStdString(catalogue.text(kFirstTabCaption + k)));
    }
    return c.tabSetting;
}

}  // namespace voltaro
