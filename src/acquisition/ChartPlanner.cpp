#include "acquisition/ChartPlanner.h"

#include <algorithm>
#include <map>

#include "acquisition/CellReference.h"

namespace flowcfg {
namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Reads the decimal number at the start of `text`, advancing it; -1 when there is none.
int takeNumber(std::string_view& text) {
    int value = 0, digits = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9' && digits < 6) {
        value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

bool takeWord(std::string_view& text, std::string_view word) {
    if (text.substr(0, word.size()) != word) return false;
    text.remove_prefix(word.size());
    return true;
}

void takeUnderscore(std::string_view& text) {
    if (!text.empty() && text.front() == '_') text.remove_prefix(1);
}

// "G<n>_<rest>": n and rest, or n = -1.
int chartNumber(std::string_view key, std::string_view& rest) {
    if (key.empty() || key.front() != 'G') return -1;
    key.remove_prefix(1);
    int n = takeNumber(key);
    if (n < 0 || key.empty() || key.front() != '_') return -1;
    key.remove_prefix(1);
    rest = key;
    return n;
}

struct ScaleKey {
    int chart = -1;
    bool right = false;
    int order = 0;
};

// G<n>_ECHELLE_GAUCHE_<k>, G<n>_EchelleDroite<k> (already upper-cased) ...
ScaleKey scaleKey(std::string_view key) {
    ScaleKey parsed;
    std::string_view rest;
    int n = chartNumber(key, rest);
    if (n < 0 || !takeWord(rest, "ECHELLE")) return parsed;
    takeUnderscore(rest);
    if (takeWord(rest, "DROITE")) {
        parsed.right = true;
    } else if (!takeWord(rest, "GAUCHE")) {
        return parsed;
    }
    takeUnderscore(rest);
    int k = takeNumber(rest);
    if (k < 0 || !rest.empty()) return parsed;
    parsed.chart = n;
    parsed.order = k;
    return parsed;
}

// The logged parameters' columns: name, value and unit of parameter i.
struct ParameterColumns {
    int name = -1;
    int value = -1;
    int unit = -1;
};

std::vector<ParameterColumns> loggerParameters(const TransferKeys& keys, std::size_t columns) {
    std::vector<ParameterColumns> parameters;
    for (int i = 1;; ++i) {
        auto name = CellReference::columnIndex(keys.value("C_Variable" + std::to_string(i)));
        auto value = CellReference::columnIndex(keys.value("C_Valeur" + std::to_string(i)));
        if (!name || !value) break;
        auto unit = CellReference::columnIndex(keys.value("C_Unite" + std::to_string(i)));
        parameters.push_back({*name, *value, unit ? *unit : -1});
    }
    // The keys always list 14 parameters; a logger keeps up to 51, in columns of the same
    // stride, and the charts may name any of them.
    if (parameters.size() >= 2) {
        ParameterColumns last = parameters.back();
        int stride = last.name - parameters[parameters.size() - 2].name;
        while (stride > 0 && std::size_t(last.name + stride) < columns) {
            last.name += stride;
            last.value += stride;
            if (last.unit >= 0) last.unit += stride;
            parameters.push_back(last);
        }
    }
    return parameters;
}

std::string field(const std::vector<std::string>& fields, int column) {
    return column >= 0 && std::size_t(column) < fields.size() ? fields[std::size_t(column)] : "";
}

struct Series {
    ChartSeriesPlan plan;
    int order = 0;
};

std::string seriesName(const ChartSeriesPlan& series, const std::vector<std::string>& header) {
    return series.name.empty() ? field(header, series.column) : series.name;
}

// The text every series' name has after its first " - ", or "".
std::string sharedTitle(const ChartPlan& chart, const std::vector<std::string>& header) {
    std::string shared;
    for (const ChartSeriesPlan& series : chart.series) {
        std::string name = seriesName(series, header);
        std::size_t dash = name.find(" - ");
        if (dash == std::string::npos) return "";
        std::string tail = std::string(trimmed(name.substr(dash + 3)));
        if (tail.empty() || (!shared.empty() && tail != shared)) return "";
        shared = tail;
    }
    return shared;
}

}  // namespace

std::optional<int> ChartPlanner::dateTimeColumn(const TransferKeys& keys,
                                                const std::vector<std::string>& header) {
    for (const char* key : {"C_DateHour", "C_DateTime"}) {
        auto column = CellReference::columnIndex(keys.value(key));
        if (column && std::size_t(*column) < header.size()) return column;
    }
    for (std::size_t i = 0; i < header.size(); ++i)
        if (trimmed(header[i]) == "DateTime") return int(i);
    return std::nullopt;
}

std::vector<ChartPlan> ChartPlanner::plan(const TransferKeys& keys,
                                          const std::vector<std::string>& header,
                                          const std::vector<std::string>& firstSample,
                                          std::string_view defaultTitle) {
    bool logger = sameKey(trimmed(keys.value("TYPE")), "log");
    std::vector<ParameterColumns> parameters;
    if (logger) parameters = loggerParameters(keys, header.size());
    auto onDataSheet = [&](int column) {
        return column >= 0 && std::size_t(column) < header.size();
    };

    std::map<int, std::vector<Series>> series;
    std::map<int, std::string> titles, sheets;
    for (const TransferKeys::Entry& entry : keys.entries()) {
        std::string key = upper(entry.key);
        std::string_view rest;
        int n = chartNumber(key, rest);
        if (n < 0) continue;
        if (rest == "TITRE") {
            titles.emplace(n, trimmed(entry.value));
            continue;
        }
        if (rest == "ONGLET") {
            sheets.emplace(n, trimmed(entry.value));
            continue;
        }
        ScaleKey scale = scaleKey(key);
        if (scale.chart < 0) continue;
        Series one;
        one.plan.rightScale = scale.right;
        one.order = scale.order;
        if (logger) {
            std::string_view wanted = trimmed(entry.value);
            auto match = std::find_if(parameters.begin(), parameters.end(), [&](const auto& p) {
                return !wanted.empty() && trimmed(field(firstSample, p.name)) == wanted;
            });
            if (match == parameters.end() || !onDataSheet(match->value)) continue;
            one.plan.column = match->value;
            std::string unit(trimmed(field(firstSample, match->unit)));
            one.plan.name = std::string(wanted) + (unit.empty() ? "" : " (" + unit + ")");
        } else {
            auto column = CellReference::columnIndex(trimmed(entry.value));
            if (!column || !onDataSheet(*column)) continue;
            one.plan.column = *column;
        }
        series[scale.chart].push_back(one);
    }

    auto batteryColumn = CellReference::columnIndex(trimmed(keys.value("BATPOURCENT")));
    if (series.empty() && batteryColumn && onDataSheet(*batteryColumn)) {
        series[1].push_back({{*batteryColumn, false, ""}, 0});
        int order = 0;
        for (const char* name : {"VSB VOLT", "VTS VOLT"}) {
            auto at = std::find_if(header.begin(), header.end(),
                                   [&](const std::string& h) { return trimmed(h) == name; });
            if (at != header.end())
                series[1].push_back({{int(at - header.begin()), true, ""}, ++order});
        }
    }

    // "G2_TITRE" of a two-path export names both paths.
    if (!logger && series.count(2) && series.count(3) && !titles.count(3) && titles.count(2)) {
        std::string both = titles[2];
        std::size_t dash = both.find(" - ");
        if (dash != std::string::npos) {
            titles[2] = std::string(trimmed(both.substr(0, dash)));
            titles[3] = std::string(trimmed(both.substr(dash + 3)));
        }
    }

    std::vector<ChartPlan> charts;
    for (auto& [n, list] : series) {
        std::stable_sort(list.begin(), list.end(), [](const Series& a, const Series& b) {
            if (a.plan.rightScale != b.plan.rightScale) return !a.plan.rightScale;
            return a.order < b.order;
        });
        ChartPlan chart;
        chart.number = n;
        for (const Series& one : list)
            chart.series.push_back(one.plan);
        chart.title = titles.count(n) ? titles[n] : "";
        bool titleOwn = !chart.title.empty();
        if (chart.title.empty()) {
            chart.title = sharedTitle(chart, header);
            titleOwn = !chart.title.empty();
        }
        if (chart.title.empty()) chart.title = std::string(defaultTitle);
        chart.sheetName = sheets.count(n) && !sheets[n].empty() ? sheets[n]
                          : titleOwn                            ? chart.title
                                                                : "G" + std::to_string(n);
        charts.push_back(std::move(chart));
    }
    return charts;
}

}  // namespace flowcfg
