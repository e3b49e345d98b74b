#include "acquisition/LoggerLines.h"

#include <cstdio>

#include "acquisition/NumberText.h"
#include "acquisition/SerialDateTime.h"
#include "texts/LanguageTable.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kDateText = 161;         // "Date"
constexpr int kTimeText = 508;         // "Time" (of the clock)
constexpr int kDateTimeText = 162;     // "DateTime"
constexpr int kValueText = 555;        // "Value"
constexpr int kUnitText = 533;         // "Unit"
constexpr int kQualityText = 304;      // "I.Q."
constexpr int kPrintedStatistics = 3;  // Min, Average, Max; not Instant

}  // namespace

LoggerLines::LoggerLines(int language, char decimalSeparator)
    : language_(language), separator_(decimalSeparator) {
    LanguageTable texts;
    auto text = [&](int id) { return texts.text(id, language); };
    auto list = [&](int id) { return texts.lookup(id, language); };
    headerDate_ = text(kDateText);
    headerTime_ = text(kTimeText);
    headerDateTime_ = text(kDateTimeText);
    headerParameter_ = text(textid::kTextParameter);
    headerValue_ = text(kValueText);
    headerUnit_ = text(kUnitText);
    headerQuality_ = text(kQualityText);
    categories_ = list(textid::kListLoggerCategory);
    statistics_ = list(textid::kListStatistic);
    units_ = list(textid::kListUnits);
    levelNames_ = list(textid::kListLevelValues);
    pipeNames_ = list(textid::kListPipeValues);
    generalNames_ = list(textid::kListGeneralValues);
    inputNames_ = list(textid::kListInputValues);
    outputNames_ = list(textid::kListOutputValues);
}

std::string LoggerLines::header(int parameters) const {
    std::string line = headerDate_ + "\t" + headerTime_ + "\t" + headerDateTime_ + "\t";
    for (int i = 1; i <= parameters; ++i) {
        line += headerParameter_ + " - " + std::to_string(i) + "\t" + headerValue_ + "\t" +
                headerUnit_ + "\t" + headerQuality_ + "\t";
    }
    return line + "\n";
}

std::string LoggerLines::recordLine(const std::uint8_t* record, int parameters) const {
    const InstrumentDate date = LoggerRecord::date(record);
    std::string line = dateText(date) + "\t" + timeText(date) + "\t" +
                       SerialDateTime::text(SerialDateTime::of(date.year, date.month, date.day,
                                                               date.hour, date.minute, date.second),
                                            separator_) +
                       "\t";
    for (int i = 0; i < parameters; ++i) {
        const LoggerEntry entry = LoggerRecord::entry(record, i);
        line += entryName(entry);
        line += '\t';
        line += entryValue(entry);
        line += '\t';
        line += entryUnit(entry);
        line += '\t';
        line += std::to_string(entry.quality);
        line += '\t';
    }
    line += '\n';
    return line;
}

std::string LoggerLines::listItem(const List& list, int position) {
    if (position >= 0 && static_cast<std::size_t>(position) < list.size()) return list[position];
    return std::to_string(position);
}

const LoggerLines::List* LoggerLines::namesOf(int category) const {
    switch (category) {
        case 0:
            return &generalNames_;
        case 1:
        case 2:
        case 3:
            return &pipeNames_;
        case 4:
            return &inputNames_;
        case 5:
            return &outputNames_;
        case 6:
        case 7:
            return &levelNames_;
        default:
            return nullptr;
    }
}

std::string LoggerLines::nameText(int category, int index) const {
    const List* names = namesOf(category);
    return names ? listItem(*names, index) : std::to_string(index);
}

std::string LoggerLines::entryName(const LoggerEntry& entry) const {
    std::string name =
        categoryText(entry.category) + " / " + nameText(entry.category, entry.nameIndex);
    if (entry.statistic < kPrintedStatistics) name += " / " + statisticText(entry.statistic);
    return name;
}

std::string LoggerLines::entryValue(const LoggerEntry& entry) const {
    if (entry.type == LoggerEntry::kFlags) return flagsText(entry.bits);
    const int decimals = entry.type == LoggerEntry::kFloat ? 3 : 0;
    return withDecimalSeparator(fixedDecimals(entry.number(), decimals), separator_);
}

std::string LoggerLines::entryUnit(const LoggerEntry& entry) const {
    return listItem(units_, entry.unit);
}

std::string LoggerLines::flagsText(std::uint32_t bits) {
    std::string text(32, '_');
    for (int bit = 0; bit < 32; ++bit) {
        if (!(bits >> bit & 1u)) continue;
        text[bit] = bit < 26 ? static_cast<char>('A' + bit) : static_cast<char>('0' + bit - 26);
    }
    return text;
}

std::string LoggerLines::dateText(const InstrumentDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.day, date.month, date.year);
    return buffer;
}

std::string LoggerLines::timeText(const InstrumentDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", date.hour, date.minute, date.second);
    return buffer;
}

}  // namespace flowcfg
