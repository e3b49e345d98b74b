#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "acquisition/LoggerRecord.h"

namespace flowcfg {

// The lines of a ".log" file, in the page's language:
//
//   header  "Date", "Time", "DateTime", then per parameter i = 1 ... N "Parameter - i",
//           "Value", "Unit", "I.Q.", each followed by a tab; "\n"
//   record  date "dd/mm/yyyy", time "hh:mm:ss" and the serial date-time number ("%f"), each
//           followed by a tab; per entry its name (category / name [/ statistic]), value, unit
//           and I.Q., each followed by a tab; "\n"
//
// The name is the category's text (list 53), " / " and the parameter's name from its category's
// list (0: list 52; 1, 2, 3: list 51; 4: list 60; 5: list 67; 6, 7: list 50), followed by
// " / " and the statistic (list 99) when the statistic is Min, Average or Max. A position that
// its list does not have (a category without a name list, a newer instrument's parameter) is
// written as its number, so that nothing the instrument logged is lost.
//
// Values: a float "%.3f", an unsigned or signed integer "%.0f", flags as 32 characters, bit 0
// first: "A" ... "Z" for set bits 0 ... 25, "0" ... "5" for set bits 26 ... 31, "_" for a clear
// bit. The numbers (values and the serial date-time number) use the user's decimal separator;
// the texts keep their own points ("Sp. Sound").
class LoggerLines {
public:
    LoggerLines(int language, char decimalSeparator);

    std::string header(int parameters) const;
    // The line of a record of LoggerRecord::bytes(parameters) bytes.
    std::string recordLine(const std::uint8_t* record, int parameters) const;

    std::string entryName(const LoggerEntry& entry) const;
    // The parts of a name: the category's text, the parameter's name in its category's list,
    // the statistic's text.
    std::string categoryText(int category) const { return listItem(categories_, category); }
    std::string nameText(int category, int index) const;
    std::string statisticText(int statistic) const { return listItem(statistics_, statistic); }
    std::string entryValue(const LoggerEntry& entry) const;
    std::string entryUnit(const LoggerEntry& entry) const;
    static std::string flagsText(std::uint32_t bits);
    // "dd/mm/yyyy" and "hh:mm:ss".
    static std::string dateText(const InstrumentDate& date);
    static std::string timeText(const InstrumentDate& date);

    int language() const { return language_; }
    char decimalSeparator() const { return separator_; }

private:
    using List = std::vector<std::string>;
    static std::string listItem(const List& list, int position);
    const List* namesOf(int category) const;

    int language_;
    char separator_;
    std::string headerDate_, headerTime_, headerDateTime_, headerParameter_, headerValue_,
        headerUnit_, headerQuality_;
    List categories_, statistics_, units_;
    List levelNames_, pipeNames_, generalNames_, inputNames_, outputNames_;
};

}  // namespace flowcfg
