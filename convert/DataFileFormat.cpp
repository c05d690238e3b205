#include "convert/DataFileFormat.h"

#include <vector>

namespace voltaro {

namespace {

// Values per "T301" record by LOAD (rows 1..4) and WIRING (columns 0..7).
constexpr std::int16_t kValueCounts[4][8] = {
    {10, 14, 15, 16, 16, 16, 17, 27},
    {16, 22, 0, 25, 0, 0, 0, 0},
    {22, 0, 0, 0, 0, 0, 0, 0},
    {28, 0, 0, 0, 0, 0, 0, 0},
};

// '#' in a pattern stands for any one character (a question mark pair would read as a trigraph).
bool matches(std::string_view text, std::string_view pattern) {
    if (text.size() < pattern.size()) return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != '#' && pattern[i] != text[i]) return false;
    return true;
}

constexpr std::string_view kBlockA =
    ",U1_INST(V),I1_INST(A)_1,P_INST(W)_1,Q_INST(var)_1,S_INST(VA)_1,PF_INST_1,PA_INST(deg)_1,F_INST(Hz)";
constexpr std::string_view kBlockA2 =
    ",I1_INST(A)_2,P_INST(W)_2,Q_INST(var)_2,S_INST(VA)_2,PF_INST_2,PA_INST(deg)_2";
constexpr std::string_view kBlockA3 =
    ",I1_INST(A)_3,P_INST(W)_3,Q_INST(var)_3,S_INST(VA)_3,PF_INST_3,PA_INST(deg)_3";
constexpr std::string_view kBlockA4 =
    ",I1_INST(A)_4,P_INST(W)_4,Q_INST(var)_4,S_INST(VA)_4,PF_INST_4,PA_INST(deg)_4";
constexpr std::string_view kBlockB =
    ",U1_INST(V),U2_INST(V),Uave_INST(V),I1_INST(A)_1,I2_INST(A)_1,Iave_INST(A)_1,P_INST(W)_1,Q_INST(var)_1,"
    "S_INST(VA)_1,PF_INST_1,PA_INST(deg)_1,F_INST(Hz)";
constexpr std::string_view kBlockB2 =
    ",I1_INST(A)_2,I2_INST(A)_2,Iave_INST(A)_2,P_INST(W)_2,Q_INST(var)_2,S_INST(VA)_2,PF_INST_2,PA_INST(deg)_2";
constexpr std::string_view kBlockC =
    ",U1_INST(V),U2_INST(V),Uave_INST(V),I1_INST(A)_1,I2_INST(A)_1,Iave_INST(A)_1,I4_INST(A)_1,P_INST(W)_1,"
    "Q_INST(var)_1,S_INST(VA)_1,PF_INST_1,PA_INST(deg)_1,F_INST(Hz)";
constexpr std::string_view kBlockD =
    ",U1_INST(V),U2_INST(V),U3_INST(V),Uave_INST(V),I1_INST(A)_1,I2_INST(A)_1,I3_INST(A)_1,Iave_INST(A)_1,"
    "P_INST(W)_1,Q_INST(var)_1,S_INST(VA)_1,PF_INST_1,PA_INST(deg)_1,F_INST(Hz)";
constexpr std::string_view kBlockD2 =
    ",I1_INST(A)_2,I2_INST(A)_2,I3_INST(A)_2,Iave_INST(A)_2,P_INST(W)_2,Q_INST(var)_2,S_INST(VA)_2,PF_INST_2,"
    "PA_INST(deg)_2";
constexpr std::string_view kBlockE =
    ",U1_INST(V),U2_INST(V),U3_INST(V),Uave_INST(V),I1_INST(A)_1,I2_INST(A)_1,I3_INST(A)_1,Iave_INST(A)_1,"
    "I4_INST(A)_1,P_INST(W)_1,Q_INST(var)_1,S_INST(VA)_1,PF_INST_1,PA_INST(deg)_1,F_INST(Hz)";
constexpr std::string_view kBlockF =
    ",U1_INST(V)_3P,U2_INST(V)_3P,U3_INST(V)_3P,Uave_INST(V)_3P,I1_INST(A)_3P,I2_INST(A)_3P,I3_INST(A)_3P,"
    "Iave_INST(A)_3P,P_INST(W)_3P,Q_INST(var)_3P,S_INST(VA)_3P,PF_INST_3P,PA_INST(deg)_3P,F_INST(Hz)";
constexpr std::string_view kBlockF1 =
    ",U1_INST(V)_1P,U2_INST(V)_1P,Uave_INST(V)_1P,I1_INST(A)_1P,I2_INST(A)_1P,Iave_INST(A)_1P,P_INST(W)_1P,"
    "Q_INST(var)_1P,S_INST(VA)_1P,PF_INST_1P,PA_INST(deg)_1P";
constexpr std::string_view kBlockDc = ",DC1_INST(V),DC2_INST(V)";

// Per wiring: the first block (the DC inputs follow it), the blocks of loads 2, 3 and 4
// (empty where the wiring has none), and a block that ends every title row.
struct WiringTitles {
    std::string_view first;
    std::array<std::string_view, 3> perExtraLoad;
    std::string_view last;
};
constexpr WiringTitles kWiringTitles[] = {
    {kBlockA, {kBlockA2, kBlockA3, kBlockA4}, {}},  // 1P2W
    {kBlockB, {kBlockB2, {}, {}}, {}},              // 1P3W
    {kBlockC, {}, {}},                              // 1P3W3I
    {kBlockD, {kBlockD2, {}, {}}, {}},              // 3P3W2I
    {kBlockD, {}, {}},                              // 3P3W3I
    {kBlockD, {}, {}},                              // 3P4W
    {kBlockE, {}, {}},                              // 3P4W4I
    {kBlockF, {}, kBlockF1},                        // 3P3W+1P3W
};

}  // namespace

std::int16_t CheckDataNumber(std::uint8_t wiring, std::uint8_t load) {
    if (load < 1 || load > 4 || wiring > kMaxWiringCode) return 0;
    return kValueCounts[load - 1][wiring];
}

bool CheckInstDateTime(std::string_view text) { return !matches(text, "###/##/##,##:##:##,"); }

bool CheckWaveDateTime(std::string_view text) { return !matches(text, "####/##/##,##:##:##"); }

bool LooksLikeTimeOnlyRecord(std::string_view text) { return matches(text, "####/##/##,##:##:##,#########,"); }

std::string InstTitleRow(std::uint8_t wiring, std::uint8_t load, bool withDcInputs, bool timeOnly) {
    std::string row = "DATE,TIME,";
    if (timeOnly || wiring > kMaxWiringCode) return row;
    const WiringTitles& titles = kWiringTitles[wiring];
    row += titles.first;
    if (withDcInputs) row += kBlockDc;
    // A load of 2..4 adds the blocks of loads 2 up to it, where the wiring has a block for it.
    if (load >= 2 && load <= 4 && !titles.perExtraLoad[static_cast<std::size_t>(load - 2)].empty())
        for (int extra = 2; extra <= load; ++extra) row += titles.perExtraLoad[static_cast<std::size_t>(extra - 2)];
    row += titles.last;
    return row;
}

}  // namespace voltaro
