#include <cstdio>
#include <cstring>
#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "acquisition/RecordFile.h"

namespace flowcfg::cli {
namespace {

const char* kUsage = "usage: flowcfg-cli records FILE [--dump K]\n";

void printHex(std::ostream& out, const std::vector<std::uint8_t>& bytes) {
    char text[32];
    for (std::size_t i = 0; i < bytes.size(); i += 16) {
        std::snprintf(text, sizeof text, "%04zx:", i);
        out << text;
        for (std::size_t j = i; j < i + 16 && j < bytes.size(); ++j) {
            std::snprintf(text, sizeof text, " %02x", unsigned(bytes[j]));
            out << text;
        }
        out << "\n";
    }
}

}  // namespace

// Shows what a record file holds: its header, its records and their lengths, or one record's
// payload in hexadecimal. Settings files, measurement recordings and every other file the tool
// writes as a record file can be inspected this way.
int runRecordsCommand(const std::vector<std::string>& args, CliContext& context) {
    CliOptions options(args, {"dump"}, {});
    if (!options.ok() || options.positional().size() != 1) {
        context.err << "flowcfg-cli records: "
                    << (options.ok() ? "expected one FILE" : options.error()) << "\n"
                    << kUsage;
        return 2;
    }
    std::string message;
    auto dump = options.integer("dump", message);
    if (!message.empty()) {
        context.err << "flowcfg-cli records: " << message << "\n" << kUsage;
        return 2;
    }

    const std::string& path = options.positional()[0];
    RecordFile file;
    RecordStatus status = file.open(path);
    if (status != RecordStatus::Ok) {
        context.err << "flowcfg-cli records: " << path << ": " << recordStatusText(status);
        if (file.systemError() != 0)
            context.err << " (" << std::strerror(file.systemError()) << ")";
        context.err << "\n";
        return 1;
    }

    if (dump) {
        std::vector<std::uint8_t> payload;
        status = *dump < 0 || *dump > file.count() ? RecordStatus::NoSuchRecord
                                                   : file.read(int(*dump), payload);
        if (status != RecordStatus::Ok) {
            context.err << "flowcfg-cli records: " << path << ": record " << *dump << ": "
                        << recordStatusText(status) << " (the file holds " << file.count()
                        << " records)\n";
            return 1;
        }
        printHex(context.out, payload);
        return 0;
    }

    status = file.indexAll();  // a final count and tail for the listing
    if (status != RecordStatus::Ok) {
        context.err << "flowcfg-cli records: " << path << ": " << recordStatusText(status) << "\n";
        return 1;
    }
    const RecordFileHeader& header = file.header();
    std::ostream& out = context.out;
    out << "created: " << header.dateText() << " " << header.timeText() << "\n";
    std::size_t begin = 0;
    while (begin < header.description.size()) {
        std::size_t end = header.description.find('\n', begin);
        if (end == std::string::npos) end = header.description.size();
        out << "description: " << header.description.substr(begin, end - begin) << "\n";
        begin = end + 1;
    }
    out << "records: " << file.count() << "\n";
    for (int k = 0; k < file.count(); ++k)
        out << "record " << k << ": " << file.payloadLength(k) << " bytes\n";
    if (file.tail() == RecordFile::Tail::Torn)
        out << "note: " << file.strayBytes()
            << " bytes at the end are the remains of an interrupted append; they are ignored "
               "and removed by the next append\n";
    if (file.tail() == RecordFile::Tail::Damaged)
        out << "note: the file is damaged after record " << file.count() << " ("
            << file.strayBytes() << " bytes cannot be read as records)\n";
    return 0;
}

}  // namespace flowcfg::cli
