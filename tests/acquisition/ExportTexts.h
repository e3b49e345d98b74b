#pragma once

#include <string>
#include <vector>

namespace flowcfg::testing {

// What a page hands to the export, made as the measurement, logger and battery pages make it:
// the header line, the sample lines (the measurement page's with the sample number in front)
// and the transfer content.
struct ExportTexts {
    std::string header;
    std::vector<std::string> samples;
    std::string transfer;
};

// A measurement recording of `samples` samples with one or two paths of the given chord counts,
// values written with `separator` as the decimal point.
ExportTexts measurementExport(std::vector<int> chordsPerPath, int samples, char separator);

// A logger file of `samples` records of the first `parameters` of a fixed list of logged
// parameters (some of them drawn on the logger's charts, some not).
ExportTexts loggerExport(int parameters, int samples, char separator);

// A battery recording of `samples` samples.
ExportTexts batteryExport(int samples, char separator);

// The serial date-time number of sample s: 1 January 2009 12:00:00 plus s minutes.
double sampleDateTime(int sample);

}  // namespace flowcfg::testing
