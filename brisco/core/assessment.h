#pragma once
// The terrain assessment's main window without the window: the four terrain slots, the
// frequency, the statistics file and the options, the rules that accept, clear or refuse
// each choice, the compute driver that runs the engine for every slot in use, and the
// defaults file that carries it all from one run to the next. The window and brisco-cli
// both drive this one model.
#include "defaults_file.h"
#include "output_graph.h"
#include "terrain_engine.h"

#include "common/control_text.h"
#include "common/message.h"
#include "common/result.h"
#include "common/text_file.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brisco {

using common::Message;

const Message NoFirstTerrain{"Please select a first terrain filename.", "Brisco"};
const Message ResultsFileRefused{
    "OUT.PRN is not valid for elevation statistics file. Choose another.", ""};

// The texts of the main window.
struct MainTexts {
    std::string txtTerrain1, txtTerrain2, txtTerrain3, txtTerrain4; // file names; empty: unused
    std::string txtSubDir1, txtSubDir2, txtSubDir3, txtSubDir4;     // full paths, hidden
    std::string txtHeight1, txtHeight2, txtHeight3, txtHeight4;
    std::string txtType1, txtType2, txtType3, txtType4;
    std::string lblFeet1 = "feet", lblFeet2 = "feet", lblFeet3 = "feet", lblFeet4 = "feet";
    std::string txtFreq = "14.2";
    std::string txtElevFile, txtSubTerr; // statistics file name and full path
    std::string lblDiffraction = "ON";
    std::string lblGround;
};

inline const std::array<common::ControlText<MainTexts>, 25> MainWindowTexts{{
    {"txtFreq", &MainTexts::txtFreq},       {"txtTerrain1", &MainTexts::txtTerrain1},
    {"txtSubDir1", &MainTexts::txtSubDir1}, {"txtHeight1", &MainTexts::txtHeight1},
    {"txtType1", &MainTexts::txtType1},     {"txtTerrain2", &MainTexts::txtTerrain2},
    {"txtSubDir2", &MainTexts::txtSubDir2}, {"txtHeight2", &MainTexts::txtHeight2},
    {"txtType2", &MainTexts::txtType2},     {"txtTerrain3", &MainTexts::txtTerrain3},
    {"txtSubDir3", &MainTexts::txtSubDir3}, {"txtHeight3", &MainTexts::txtHeight3},
    {"txtType3", &MainTexts::txtType3},     {"txtTerrain4", &MainTexts::txtTerrain4},
    {"txtSubDir4", &MainTexts::txtSubDir4}, {"txtHeight4", &MainTexts::txtHeight4},
    {"txtType4", &MainTexts::txtType4},     {"lblFeet1", &MainTexts::lblFeet1},
    {"lblFeet2", &MainTexts::lblFeet2},     {"lblFeet3", &MainTexts::lblFeet3},
    {"lblFeet4", &MainTexts::lblFeet4},     {"txtElevFile", &MainTexts::txtElevFile},
    {"txtSubTerr", &MainTexts::txtSubTerr}, {"lblDiffraction", &MainTexts::lblDiffraction},
    {"lblGround", &MainTexts::lblGround},
}};

// The boxes of one slot, by slot (0..3).
struct SlotBoxes {
    std::string MainTexts::*terrain;
    std::string MainTexts::*subDir;
    std::string MainTexts::*height;
    std::string MainTexts::*type;
    std::string MainTexts::*feet;
};
inline constexpr std::array<SlotBoxes, SlotCount> SlotControls{{
    {&MainTexts::txtTerrain1, &MainTexts::txtSubDir1, &MainTexts::txtHeight1, &MainTexts::txtType1,
     &MainTexts::lblFeet1},
    {&MainTexts::txtTerrain2, &MainTexts::txtSubDir2, &MainTexts::txtHeight2, &MainTexts::txtType2,
     &MainTexts::lblFeet2},
    {&MainTexts::txtTerrain3, &MainTexts::txtSubDir3, &MainTexts::txtHeight3, &MainTexts::txtType3,
     &MainTexts::lblFeet3},
    {&MainTexts::txtTerrain4, &MainTexts::txtSubDir4, &MainTexts::txtHeight4, &MainTexts::txtType4,
     &MainTexts::lblFeet4},
}};

struct GroundRow {
    const char* text;
    float dielectric;
    float conductivity; // siemens per metre
};
inline constexpr std::array<GroundRow, 9> GroundRows{{
    {"1, 3 (Extremely Poor Soil)", 3, 0.001f},
    {"1, 5 (Very Poor Soil)", 5, 0.001f},
    {"2, 10 (Sandy, Dry Soil)", 10, 0.002f},
    {"2, 13 (Poor Soil)", 13, 0.002f},
    {"5, 13 (Average Soil)", 13, 0.005f},
    {"10, 14 (Good Soil)", 14, 0.01f},
    {"30, 20 (Very Good Soil)", 20, 0.03f},
    {"1, 81 (Fresh Water)", 81, 0.001f},
    {"5000, 80 (Salt Water)  ", 80, 5000.0f}, // the row's conductivity, not 5 S/m
}};
constexpr int AverageSoil = 4;

// What the options window sets.
struct Options {
    int groundRow = AverageSoil;
    bool diffractionOff = false;
    Units units = Units::Feet;
    bool logFlag = false; // the engine's diagnostic log
    std::string logAngle = "5";
};

// A heights dialog column as its OK hands it back.
struct HeightsColumn {
    std::string type;    // the chosen type's name; empty leaves the slot's type as it is
    std::string heights; // the heights text built from the cells
};

struct ComputeResult {
    bool computed = false;
    std::vector<Message> messages;
    std::vector<std::string> results; // this computation's sections of OUT.PRN
    std::array<SlotGains, SlotCount> gains;
    std::array<std::optional<double>, SlotCount> merit; // rated slots
    OutputGraph graph;
};

class Assessment {
public:
    // `folder` is the program's folder: names of profiles and statistics files without a
    // folder are looked for there, and are kept so. VEXLO.DEF is at `defaultsPath`, OUT.PRN
    // and TEST4.PRN in `resultsFolder`; both are in `folder` when not given.
    explicit Assessment(std::string folder, std::string defaultsPath = {},
                        std::string resultsFolder = {});

    // Start-up: VEXLO.DEF read and applied (a missing or empty one is replaced by the
    // start-up file), the statistics file read, and OUT.PRN emptied. Returns what the
    // user must be told: a statistics file that cannot be used, a file that cannot be
    // written. `defaults` is VEXLO.DEF as read: one that is there but unreadable has been
    // reported by its reader, and the program runs on the start-up file without writing
    // it. Without `writesShared` (a second copy in the folder) nothing is written.
    std::vector<Message> StartUp(const common::TextFile& defaults, bool writesShared);
    std::vector<Message> StartUp() { return StartUp(common::ReadTextFile(defaultsPath()), true); }

    // Main window edits.
    void setFrequency(const std::string& text);
    void chooseTerrain(int slot, const std::string& path);
    void clearSlot(int slot); // terrain, path, heights and type
    // A chosen statistics file. OUT.PRN is refused (`refused`), a file that does not read
    // gives its message (`failed`): the program then saves its defaults and ends.
    struct StatisticsChoice {
        bool refused = false;
        bool failed = false;
        std::vector<Message> messages;
    };
    StatisticsChoice chooseStatistics(const std::string& path);
    void clearStatistics();
    void setMaxAngle(MaxAngle angle) { maxAngle_ = angle; }
    void setPlotted(int slot, bool plotted) { plotted_[slot] = plotted; }
    void setShowAntennas(bool show) { showAntennas_ = show; }

    // The options window's OK: ground, diffraction, units (every slot's heights rewritten
    // in the new units), log angle.
    void applyOptions(const Options& options);
    void setLogFlag(bool on) { options_.logFlag = on; }
    // The heights dialog's OK, one column per slot.
    void applyHeights(const std::array<HeightsColumn, SlotCount>& columns);
    // A profile made by moving slot 1's tower back goes into slot 2 with slot 1's antennas.
    void placeMovedProfile(const std::string& path);

    // Compute: every slot in use through the engine, the results, the merits and the graph.
    // `progress` is told 1 at the start and N + 1 after slot N.
    ComputeResult Compute(const EngineSource& engine, const std::function<void(int)>& progress);
    // The same with every slot in use over one terrain (a profile cut from elevation
    // data) in place of its file.
    ComputeResult ComputeOver(const ProfileRead& terrain, const EngineSource& engine);
    // Appends a computation's sections to OUT.PRN.
    common::Result<> AppendResults(const std::vector<std::string>& results) const;

    // The defaults file as the program leaves it; placements are the windows' business.
    common::Result<> SaveDefaults(const common::Placement& mainWindow,
                                  double screenWidthTwips) const;
    // "Clear VEXLO.DEF": the file rewritten with no slot; the program then ends.
    common::Result<> ClearDefaults();
    void rememberGraphPlacement(const common::Placement& p) { graphPlacement_ = p; }
    void rememberPlotPlacement(const common::Placement& p) { plotPlacement_ = p; }

    const MainTexts& texts() const { return texts_; }
    const Options& options() const { return options_; }
    float frequency() const { return frequency_; }
    std::int16_t typeCode(int slot) const { return typeCodes_[slot]; }
    const std::string& slotLabel(int slot) const { return slotLabels_[slot]; }
    const ElevationStats& stats() const { return stats_; }
    MaxAngle maxAngle() const { return maxAngle_; }
    bool plotted(int slot) const { return plotted_[slot]; }
    bool showAntennas() const { return showAntennas_; }
    const common::Placement& mainPlacement() const { return mainPlacement_; }
    const common::Placement& graphPlacement() const { return graphPlacement_; }
    const common::Placement& plotPlacement() const { return plotPlacement_; }
    const std::string& folder() const { return folder_; }
    std::string defaultsPath() const;
    std::string resultsPath() const;
    // Where this user may write: the program's folder, or the user's data folder.
    const std::string& resultsFolder() const { return resultsFolder_; }

    // A slot's texts, by slot (0..3).
    const std::string& terrain(int slot) const { return texts_.*SlotControls[slot].terrain; }
    // The slot's profile as it is read: a bare name is in the folder.
    std::string path(int slot) const { return resolved(texts_.*SlotControls[slot].subDir); }
    const std::string& heights(int slot) const { return texts_.*SlotControls[slot].height; }
    const std::string& type(int slot) const { return texts_.*SlotControls[slot].type; }

private:
    ComputeResult compute(const EngineSource& engine, const std::function<void(int)>& progress,
                          const ProfileRead* terrain);
    std::vector<Message> applyDefaults(const VexloDefaults& d);
    void setType(int slot, std::int16_t code);
    void setUnits(Units units);
    std::string resolved(const std::string& path) const; // a bare name is in the folder
    common::Result<> logTitle(int slot, bool first) const;

    std::string folder_, defaultsPath_, resultsFolder_;
    MainTexts texts_;
    Options options_;
    float frequency_ = 14.2f;
    std::array<std::int16_t, SlotCount> typeCodes_{};
    std::array<std::string, SlotCount> slotLabels_; // the heights dialog's slot labels
    ElevationStats stats_;
    MaxAngle maxAngle_ = MaxAngle::Deg34;
    std::array<bool, SlotCount> plotted_{true, false, false, false};
    bool showAntennas_ = false;
    common::Placement mainPlacement_ = VexloDefaults{}.main;
    common::Placement graphPlacement_ = VexloDefaults{}.graph;
    common::Placement plotPlacement_ = VexloDefaults{}.plot;
};

} // namespace brisco
