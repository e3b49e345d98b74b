#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "link/InstrumentLink.h"
#include "link/LinkSettings.h"
#include "link/PortTable.h"
#include "params/LinkBlockExchange.h"
#include "sim/SimTestSupport.h"

namespace flowcfg::testing {

// flowsim on a pseudo-terminal under a COM number of the port table, with the link the pages
// use and flowsim's request log read back as requests.
class SimInstrument {
public:
    static constexpr int kPort = 9;

    struct Request {
        int function = 0;
        int start = 0;
        int count = 0;
        std::string outcome;  // "ok", "exception 4" ...
        std::string data;     // hex of a write's bytes
    };

    explicit SimInstrument(std::vector<std::string> args)
        : sim_(std::move(args)), settings_(settingsFor(sim_.path())), line_(link_, settings_) {}

    BlockExchange& line() { return line_; }
    LinkSettings& settings() { return settings_; }
    std::string log() const { return sim_.log(); }

    std::vector<Request> requests() const {
        std::vector<Request> out;
        std::istringstream lines(sim_.log());
        std::string line;
        while (std::getline(lines, line)) {
            Request r;
            unsigned start = 0;
            if (std::sscanf(line.c_str(), "%*f slave=%*u fn=%d start=0x%x count=%d", &r.function,
                            &start, &r.count) != 3)
                continue;
            r.start = int(start);
            std::size_t arrow = line.find("-> ");
            std::size_t data = line.find(" data=");
            if (arrow != std::string::npos)
                r.outcome = line.substr(
                    arrow + 3, data == std::string::npos ? std::string::npos : data - arrow - 3);
            if (data != std::string::npos) r.data = line.substr(data + 6);
            out.push_back(r);
        }
        return out;
    }
    std::vector<Request> writes() const {
        std::vector<Request> out;
        for (const Request& r : requests())
            if (r.function == 16) out.push_back(r);
        return out;
    }
    std::vector<int> writtenStarts() const {
        std::vector<int> out;
        for (const Request& r : writes())
            out.push_back(r.start);
        return out;
    }

private:
    static LinkSettings settingsFor(const std::string& device) {
        PortTable table;
        table.Assign(kPort, device);
        PortTable::Install(table);
        LinkSettings s;
        s.portNumber = kPort;
        s.baudIndex = 5;
        s.slaveAddress = 1;
        return s;
    }

    RunningSim sim_;
    LinkSettings settings_;
    InstrumentLink link_;
    LinkBlockExchange line_;
};

}  // namespace flowcfg::testing
