#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shell/OptionsSettings.h"
#include "ui/PageDialog.h"

class QGridLayout;
class QWidget;

namespace flowcfg {

class CButtonKV;
class CComboKV;
class CEditKV;
class InstrumentLink;
class TabPage;
class TabPages;

// The options page: the spreadsheet program, the recording times, the language and the serial
// link on the "Général" tab, the modem on the "Modem" tab. Closing it after a change asks
// whether to save into the current configuration file; "save as" writes the settings into a
// new configuration file, which becomes current.
class OptionsPage : public PageDialog {
    Q_OBJECT
public:
    // The serial ports offered: COM number and device path, by number.
    using Ports = std::vector<std::pair<int, std::string>>;

    // Field ids: the label of each field (its value control notifies with the same id).
    enum FieldId : int {
        kExportGroup = 1212,
        kSpreadsheet = 1179,
        kExportFormat = 1213,
        kSaveGroup = 1218,
        kLapTime = 1057,
        kSampleTime = 1170,
        kLanguage = 1068,
        kComGroup = 1211,
        kJBus = 1066,
        kPort = 1040,
        kBauds = 1031,
        kUseModem = 1049,
        kNumerotation = 1152,
        kInitString = 1034,
        kPhone = 1159,
        kDisconnect = 1036,
        kTimeout = 1181,
        kBrowseButton = 4990,
        kClearButton = 5030,
        kSaveAsButton = 5040,
        kDetectionButton = 4980,
    };

    OptionsPage(Application& application, QWidget* parent = nullptr);
    OptionsPage(Application& application, Ports ports, QWidget* parent = nullptr);

    // The ports of the current configuration's port table (assignments, then the serial
    // devices found on the system).
    static Ports systemPorts(const IniFile& config);

    bool isModified() const { return modified_; }
    // The settings as the fields show them.
    OptionsSettings fieldSettings() const;

    CEditKV* edit(int fieldId) const;
    CComboKV* combo(int fieldId) const;
    CButtonKV* button(int fieldId) const;
    TabPages* tabs() const { return tabs_; }

    // Save as: asks for a new configuration file, saves the fields into it and closes.
    void saveAs();
    // The link the "Détection" button searches with (the main window's); without one the page
    // uses a link of its own.
    void setSearchLink(InstrumentLink* link) { searchLink_ = link; }
    // "Détection": searches every port and speed for the instrument and, when one answers,
    // shows its port, speed and slave number in the fields (to be saved as usual).
    void runDetection();

    void done(int result) override;

protected:
    void controlNotified(const ControlEvent& event) override;

private:
    TabPage* buildGeneralTab();
    TabPage* buildModemTab();
    CEditKV* addEdit(QGridLayout* grid, int row, int fieldId, int textId, const char* format,
                     double low, double high, int unitTextId = -1);
    CComboKV* addCombo(QGridLayout* grid, int row, int fieldId, int textId,
                       const std::vector<std::string>& items);
    std::vector<std::string> list(int textId);
    std::vector<std::string> portNames();
    void showPorts();
    void fill(const OptionsSettings& s);
    void browseSpreadsheet();
    bool writeFields();

    Ports ports_;
    InstrumentLink* searchLink_ = nullptr;
    TabPages* tabs_ = nullptr;
    std::map<int, CEditKV*> edits_;
    std::map<int, CComboKV*> combos_;
    std::map<int, CButtonKV*> buttons_;
    bool modified_ = false;
    bool filling_ = false;
    bool closing_ = false;
};

}  // namespace flowcfg
