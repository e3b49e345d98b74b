#pragma once

#include <functional>
#include <string>

#include "params/PageContext.h"
#include "params/PageFile.h"
#include "params/PageMessages.h"
#include "params/ParameterExchange.h"
#include "params/VariableTable.h"
#include "shell/PrintReport.h"

namespace flowcfg {

// What the special settings, factory settings and function pages share, without their windows:
// a variable table of their fields, the read and write engines of the settings page over the
// table's groups 1 and 2, their record file over group 3, the open mode and the result the
// window closes with.
class BlockPage {
public:
    // Open modes, as the settings page has them.
    static constexpr int kModeRead = 1;
    static constexpr int kModeNew = 2;
    static constexpr int kModeFile = 4;
    static constexpr int kModeWriteOnly = 16;
    static constexpr int kModeSave = 64;
    static constexpr int kModePrint = 128;

    enum Result { kStayOpen = 0, kOk = 1, kCancel = 2 };

    BlockPage(PageContext context, int mode, std::string fileName);
    virtual ~BlockPage() = default;
    BlockPage(const BlockPage&) = delete;
    BlockPage& operator=(const BlockPage&) = delete;

    VariableTable& table() { return table_; }
    PageMessages& messages() { return messages_; }
    ParameterExchange& exchange() { return exchange_; }
    int mode() const { return mode_; }
    Result result() const { return result_; }
    void setResult(Result result) { result_ = result; }
    // The page's file (empty when the set came from the instrument or is new).
    const std::string& fileName() const { return fileName_; }

    // Set by the sequences that open a page only to send a prepared file: no question.
    void setNoConfirmation(bool value) { noConfirmation_ = value; }
    bool noConfirmation() const { return noConfirmation_; }
    // The file stem of the save-all sequence (mode 64): the page saves stem + its extension.
    void setSaveStem(const std::string& stem) { saveStem_ = stem; }
    // What prints the page in the print-all sequence (mode 128): 0 when printed.
    void setPrintHook(std::function<int()> print) { print_ = std::move(print); }
    // What the page prints under `title`: its printed fields (PrintedFields) unless the page
    // says more. The window's print button and flowcfg-cli print both print it.
    virtual PrintReport Report(const std::string& title);

protected:
    // The read engine over group 1, after the identification and the firmware check. 0 or -1;
    // failures have been reported.
    int readGroup();
    // Group 3 from the page's file; "Couldn't open source file : " or "Incorrect File" when it
    // cannot be read, and then nothing is stored. 0 or -1.
    int loadFile(const std::string& path, const std::string& tag,
                 const std::function<void(int)>& afterStore = {});
    // Group 3 into the page's file. 0 or -1 (reported).
    int saveFile(const std::string& path, const std::string& tag);
    // "Do you want to transfer data to the device ?" unless no confirmation is wanted.
    bool confirmTransfer();
    // Windowless fields (the commands, the identification) are not part of a printout.
    void leaveWindowlessUnprinted();
    // After a read in the save-all or print-all sequence: saves or prints, and closes.
    void finishSequence(const std::string& extension,
                        const std::function<int(const std::string&)>& save);

    VariableTable table_;
    PageMessages messages_;
    ProgressView& progress_;
    BlockExchange& line_;
    ParameterExchange exchange_;
    int mode_;
    Result result_ = kStayOpen;
    std::string fileName_;
    bool noConfirmation_ = false;
    std::string saveStem_;
    std::function<int()> print_;
};

}  // namespace flowcfg
