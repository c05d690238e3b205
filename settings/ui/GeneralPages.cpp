// The pages "General 1/2" (wiring, ranges, ratios and clamps) and "General 2/2"
// (how the meter measures).
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "settings/CodeTables.h"
#include "settings/ui/SettingPageBuilder.h"
#include "settings/ui/SettingPages.h"

namespace voltaro {

void BuildGeneralPage1(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    c.cmbWiring = b.list("cmbWiring", 2102, kWiringCount);
    b.row(b.label("lblWiring", 2101), {c.cmbWiring});
    c.lblLoad = b.label("lblLoad", 2110);
    c.cmbLoad = b.emptyList("cmbLoad");
    b.row(c.lblLoad, {c.cmbLoad});
    c.lbl1PConnect = b.label("lbl1PConnect", 2115);
    c.cmb1PConnect = b.list("cmb1PConnect", 2116, kConnectCount);
    b.row(c.lbl1PConnect, {c.cmb1PConnect});
    c.cmbURange = b.list("cmbURange", 2119 + 1, kURangeCount);
    b.row(b.label("lblURange", 2119), {c.cmbURange});
    c.txtVt = b.shortBox("txtVt");
    b.row(b.label("lblVt", 2124), {c.txtVt});

    // One column per current channel, headed by the load it measures.
    const int header = b.takeRows(4);
    const int aRangeRow = header + 1;
    QLabel* lblARange = b.label("lblARange", 2125);
    QLabel* lblCt = b.label("lblCt", 2146);
    QLabel* lblClampType = b.label("lblClampType", 2147);
    QGridLayout& grid = b.grid();
    grid.addWidget(lblARange, aRangeRow, 0);
    grid.addWidget(lblCt, aRangeRow + 1, 0);
    grid.addWidget(lblClampType, aRangeRow + 2, 0);
    for (int i = 0; i < SettingControls::kCurrentChannels; ++i) {
        c.lblSetLoad[i] = b.label("lblSetLoad", i, 2502 + i);
        c.cmbARange[i] = b.emptyList("cmbARange", i);
        c.txtCt[i] = b.shortBoxElement("txtCt", i);
        c.cmbClampType[i] = b.list("cmbClampType", i, 2148, kClampCount);
        grid.addWidget(c.lblSetLoad[i], header, i + 1);
        grid.addWidget(c.cmbARange[i], aRangeRow, i + 1);
        grid.addWidget(c.txtCt[i], aRangeRow + 1, i + 1);
        grid.addWidget(c.cmbClampType[i], aRangeRow + 2, i + 1);
    }
    lblARange->setBuddy(c.cmbARange[0]);
    lblCt->setBuddy(c.txtCt[0]);
    lblClampType->setBuddy(c.cmbClampType[0]);
    b.finish();
}

void BuildGeneralPage2(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    c.cmbVarMethod = b.list("cmbVarMethod", 2202, 2);
    b.row(b.label("lblVarMethod", 2201), {c.cmbVarMethod});
    c.cmbSampling = b.list("cmbSampling", 2205, kSamplingCount);
    c.cmbFixClock = b.list("cmbFixClock", 2207, kFixClockCount);
    b.inlineRow(b.label("lblSampling", 2204), {c.cmbSampling, c.cmbFixClock});
    c.cmbFrequency = b.emptyList("cmbFrequency");
    b.row(b.label("lblFrequency", 2209), {c.cmbFrequency});
    c.cmbFilter = b.list("cmbFilter", 2214, 2);
    b.row(b.label("lblFilter", 2213), {c.cmbFilter});
    c.cmbAverage = b.list("cmbAverage", 2217, kAverageCount);
    b.row(b.label("lblAverage", 2216), {c.cmbAverage});
    c.cmbTotalWh = b.list("cmbTotalWh", 2223, kWhDigitCount);
    c.lblTotalWhUnit = b.label("lblTotalWhUnit", 2229);
    c.cmbTotalWhUnit = b.list("cmbTotalWhUnit", 2230, kWhUnitCount);
    c.lblTotalWhUnit->setBuddy(c.cmbTotalWhUnit);
    b.inlineRow(b.label("lblTotalWh", 2222), {c.cmbTotalWh, c.lblTotalWhUnit, c.cmbTotalWhUnit});
    c.cmbIntervalWh = b.list("cmbIntervalWh", 2223, kWhDigitCount);
    c.lblIntervalWhUnit = b.label("lblIntervalWhUnit", 2236);
    c.cmbIntervalWhUnit = b.list("cmbIntervalWhUnit", 2230, kWhUnitCount);
    c.lblIntervalWhUnit->setBuddy(c.cmbIntervalWhUnit);
    b.inlineRow(b.label("lblIntervalWh", 2235), {c.cmbIntervalWh, c.lblIntervalWhUnit, c.cmbIntervalWhUnit});
    c.cmbThd = b.list("cmbThd", 2238, kThdCount);
    b.row(b.label("lblThd", 2237), {c.cmbThd});
    c.cmbHrmPA = b.list("cmbHrmPA", 2241, 2);
    b.row(b.label("lblHrmPA", 2240), {c.cmbHrmPA});
    c.cmbGraphOrder = b.list("cmbGraphOrder", 2244, kGraphOrderCount);
    b.row(b.label("lblGraphOrder", 2243), {c.cmbGraphOrder});
    b.finish();
}

}  // namespace voltaro
