#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "acquisition/AcquisitionPage.h"
#include "acquisition/ChordSignalTrace.h"
#include "acquisition/MeasurementExportColumns.h"
#include "acquisition/TrendHistory.h"
#include "params/ProbeCatalogue.h"
#include "shell/PrintReport.h"

namespace flowcfg {

// The instrument the page is made for: its number of paths, whether the second path is
// shown, whether it has inputs and outputs.
struct MeasurementLayout {
    int paths = 1;
    bool secondPath = false;
    bool inputsOutputs = true;
    // The Pipe B view exists (otherwise its slot refers to the General view).
    bool showsPathB() const { return paths >= 2 && secondPath; }
};

// What the measurement page's window hears beyond the base's notifications.
class MeasurementObserver : public AcquisitionObserver {
public:
    // A path's chord displays and its two chord traces were refreshed (0 = A, 1 = B).
    virtual void pathRefreshed(int path) { (void)path; }
    // The first complete cycle since the page opened: the views take the instrument's shape
    // (chords of each path, the modules, the function outputs, the second path).
    virtual void viewsSetUp() {}
    // The identity summary arrived: the identity fields and the date are to be shown.
    virtual void identityShown() {}
};

// The live view of a connected flowmeter, without its window: the parameter blocks read once,
// then the nine measurement blocks in a cycle (0x0600 only for an instrument with two paths),
// each decoded into the five views' fields; the chord traces of the four signal windows and the
// trend of the flows; and, through AcquisitionPage, recording and viewing recorded files.
class MeasurementPage : public AcquisitionPage {
public:
    static constexpr int kFileTypeText = 228;  // "Measurement File|mes"
    static constexpr int kCaptionText = 512;   // "Measurement"
    static constexpr int kTracedChords = 2;    // the signal windows show chords 1 and 2
    // Tab texts: "General", "Pipe", "Input-output", "Function".
    static constexpr int kGeneralText = 249, kPipeText = 413, kInputOutputText = 201,
                         kFunctionText = 239;
    static constexpr int kChordRowsText = 88;  // list: the rows of a chord in a pipe view
    static constexpr int kChordText = 143;     // "Chord 1" ... "Chord 8": 143 ... 150

    MeasurementPage(Application& application, Prompts& prompts, InstrumentLink& link,
                    const MeasurementLayout& layout);
    ~MeasurementPage() override;

    void setMeasurementObserver(MeasurementObserver* observer);
    const MeasurementLayout& layout() const { return layout_; }

    // The instrument as read: its number of paths (1 or 2) and the chords of a path (0 ... 8).
    int InstrumentPaths();
    int ChordCount(int path);
    // Complete cycles since the page opened (samples shown, in file mode).
    int cycles() const { return cycles_; }

    // What the page prints: the values of the sample shown (live or browsed), view by view,
    // with the captions and units the views show, and only the fields the instrument has.
    PrintReport Report(const std::string& title);
    // The title of a view's tab (mctl::kTabGeneral ...): "General", "Pipe A", "Pipe B",
    // "Input-output 01-04", "Function".
    std::string ViewTitle(int tab);
    // Texts the views show beside the values.
    std::string FlowUnitText();
    std::string TotalizerUnitText(int totalizer);
    std::string InputOutputCaption(int slot);
    std::string InputOutputUnit(int slot);
    std::string FunctionCaption(int output);
    std::string FunctionUnit(int output);
    // The configuration the export names: a totalizer's source ("QA" ...), the kind of the
    // module of an input-output slot ("" for an empty slot), whether a function output is in
    // use, and its measured quantity and function number.
    std::string TotalizerSourceText(int totalizer);
    std::string ModuleText(int slot);
    bool FunctionInUse(int output);
    std::string FunctionSourceText(int output);
    std::string FunctionNumberText(int output);
    std::string ProbeText(int path);
    // The serial numbers "%02.f/%02.f/%05.f" of the instrument (0) and its board (1).
    std::string IdentitySerial(int which);

    // The signal windows the page's command shows, as (path, chord) pairs in the order
    // "QA C1", "QA C2", "QB C1", "QB C2": QA C1 always, QA C2 with more than one chord on
    // path A, QB C1 with two paths, QB C2 with two paths and more than one chord on path B.
    std::vector<std::pair<int, int>> ChordWindows();
    static std::string ChordWindowTitle(int path, int chord);
    ChordSignalTrace& trace(int path, int chord);
    const TrendHistory& trend() const { return trend_; }
    ProbeCatalogue& catalogue() { return catalogue_; }

    ExportColumns* exportColumns() override { return &columns_; }

protected:
    int Completion(const JBusRequest& result) override;
    void ParametersLoaded() override;
    void SampleLoaded() override;

private:
    int fieldInteger(int controlId);
    double fieldValue(int controlId);
    void setFieldText(int controlId, const std::string& text);
    void setUnitText(int controlId, const std::string& text);
    void ProbeSetsRead();
    void RefreshInputsOutputs();
    void RefreshFunctions();
    void RefreshPath(int path);
    void RefreshUnits();
    void CycleComplete();
    void SetUpViews();
    void ShowInstrumentShape();

    MeasurementLayout layout_;
    MeasurementObserver* measurementObserver_ = nullptr;
    ProbeCatalogue catalogue_;
    std::array<std::array<ChordSignalTrace, kTracedChords>, 2> traces_;
    TrendHistory trend_;
    MeasurementExportColumns columns_{*this};
    int cycles_ = 0;
    bool viewsSetUp_ = false;
};

}  // namespace flowcfg
