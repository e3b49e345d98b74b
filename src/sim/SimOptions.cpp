#include "sim/SimOptions.h"

#include <cerrno>
#include <cstdlib>

#include "sim/RegisterLayout.h"

namespace flowcfg {

namespace {

bool toLong(const std::string& s, long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (errno != 0 || end != s.c_str() + s.size()) return false;
    out = v;
    return true;
}

// "1,2,5-8,9=3": slots 1 ... 24, ranges, each optionally with its module word.
bool parseModules(const std::string& text, std::array<std::uint16_t, 24>& modules,
                  std::string& error) {
    modules.fill(0);
    if (text == "none") return true;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t comma = text.find(',', pos);
        if (comma == std::string::npos) comma = text.size();
        std::string item = text.substr(pos, comma - pos);
        long word = -1;
        const std::size_t eq = item.find('=');
        if (eq != std::string::npos) {
            if (!toLong(item.substr(eq + 1), word) || word < 1 || word > 0xFFFF) {
                error = "bad module word in --modules item '" + item + "'";
                return false;
            }
            item = item.substr(0, eq);
        }
        long first = 0, last = 0;
        const std::size_t dash = item.find('-');
        const bool ok = dash == std::string::npos ? toLong(item, first) && (last = first, true)
                                                  : toLong(item.substr(0, dash), first) &&
                                                        toLong(item.substr(dash + 1), last);
        if (!ok || first < 1 || last > 24 || first > last) {
            error = "bad slot in --modules item '" + item + "' (slots are 1 ... 24)";
            return false;
        }
        for (long s = first; s <= last; ++s) {
            // Without a word, slots take the kinds of a typical fit-out in turn.
            static const std::uint16_t kCycle[] = {
                ModuleKind::kCurrentOutput, ModuleKind::kCurrentOutput, ModuleKind::kRelayOutput,
                ModuleKind::kRelayOutput,   ModuleKind::kCurrentInput,  ModuleKind::kPt100Input};
            modules[s - 1] = word > 0 ? static_cast<std::uint16_t>(word) : kCycle[(s - 1) % 6];
        }
        pos = comma + 1;
    }
    return true;
}

}  // namespace

SimOptions::SimOptions() {
    std::string unused;
    parseModules("1-4", modules, unused);
}

const char* SimOptions::usage() {
    return "usage: flowsim [options]\n"
           "A simulated flowmeter (JBus slave) on a pseudo-terminal. Prints the device path,\n"
           "then serves until SIGINT or SIGTERM.\n"
           "\n"
           "The instrument:\n"
           "  --slave N              slave address, 1 ... 247 (default 1)\n"
           "  --pipes 1|2            number of pipes (default 1)\n"
           "  --chords A B           chords of pipe A and pipe B, 1 ... 8 (default 2 2)\n"
           "  --modules LIST         input-output slots holding a module: 1,3,5-8, 'none';\n"
           "                         SLOT=WORD sets the module word (default 1-4)\n"
           "  --logger-params N      logged parameters, 1 ... 51 (default 4)\n"
           "  --logger-records N     records written so far (default 3000)\n"
           "  --logger-capacity N    logger capacity in records (default 20000)\n"
           "  --firmware TEXT        firmware version text (default 03-12-B2.14)\n"
           "  --no-profile-curve     no profile curve blocks (0x1300, 0x1500): their reads and\n"
           "                         writes get exception 2\n"
           "  --state FILE           keep the registers in FILE between runs\n"
           "The line:\n"
           "  --baud RATE            line speed (default 9600); requests at another speed\n"
           "                         are not understood\n"
           "  --pace BAUD            send and expect bytes at the line time of BAUD\n"
           "  --turnaround MS        delay before each answer\n"
           "  --fault RULE           KIND[=ARG][@REGISTER][*COUNT][~PROBABILITY], repeatable;\n"
           "                         kinds: noanswer badcrc truncate[=BYTES] wrongslave[=ADDR]\n"
           "                         exception=N garbage[=BYTES] delay=MS unplug[=REPLUG_MS]\n"
           "  --seed N               seed of the noise and of fault probabilities (default 1)\n"
           "The modem:\n"
           "  --modem                a Hayes modem in front of the instrument\n"
           "  --dial-answer WORD     connect (default), busy, nodialtone, nocarrier, silent\n"
           "  --guard MS             guard time around +++ (default 1000)\n"
           "The program:\n"
           "  --log FILE             one line per request ('-' = standard error)\n"
           "  --link PATH            symbolic link to the pseudo-terminal\n"
           "  --help                 this text\n";
}

bool SimOptions::parse(const std::vector<std::string>& args, SimOptions& out, std::string& error) {
    SimOptions o = out;
    auto value = [&](std::size_t& i, std::string& v) {
        if (i + 1 >= args.size()) {
            error = "option " + args[i] + " needs a value";
            return false;
        }
        v = args[++i];
        return true;
    };
    auto number = [&](std::size_t& i, long lo, long hi, long& n) {
        std::string v;
        if (!value(i, v)) return false;
        if (!toLong(v, n) || n < lo || n > hi) {
            error = "option " + args[i - 1] + ": '" + v + "' is not a number in " +
                    std::to_string(lo) + " ... " + std::to_string(hi);
            return false;
        }
        return true;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        long n = 0;
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--slave") {
            if (!number(i, 1, 247, n)) return false;
            o.slave = static_cast<int>(n);
            o.slaveGiven = true;
        } else if (a == "--pipes") {
            if (!number(i, 1, 2, n)) return false;
            o.pipes = static_cast<int>(n);
        } else if (a == "--chords") {
            long b = 0;
            if (!number(i, 1, 8, n) || !number(i, 1, 8, b)) return false;
            o.chordsA = static_cast<int>(n);
            o.chordsB = static_cast<int>(b);
        } else if (a == "--modules") {
            if (!value(i, v) || !parseModules(v, o.modules, error)) return false;
        } else if (a == "--logger-params") {
            if (!number(i, 1, LoggerRecordLayout::kMaxParameters, n)) return false;
            o.loggerParameters = static_cast<int>(n);
        } else if (a == "--logger-records") {
            if (!number(i, 0, 10000000, n)) return false;
            o.loggerRecords = n;
        } else if (a == "--logger-capacity") {
            if (!number(i, 1, 10000000, n)) return false;
            o.loggerCapacity = n;
        } else if (a == "--firmware") {
            if (!value(i, o.firmware)) return false;
        } else if (a == "--no-profile-curve") {
            o.profileCurve = false;
        } else if (a == "--state") {
            if (!value(i, o.statePath)) return false;
        } else if (a == "--baud") {
            if (!number(i, 50, 4000000, n)) return false;
            o.baud = static_cast<int>(n);
            o.baudGiven = true;
        } else if (a == "--pace") {
            if (!number(i, 50, 4000000, n)) return false;
            o.pace = static_cast<int>(n);
        } else if (a == "--turnaround") {
            if (!number(i, 0, 600000, n)) return false;
            o.turnaroundMs = static_cast<int>(n);
        } else if (a == "--fault") {
            FaultRule f;
            if (!value(i, v) || !FaultRule::parse(v, f, error)) return false;
            o.faults.push_back(f);
        } else if (a == "--seed") {
            if (!number(i, 0, 0xFFFFFFFFL, n)) return false;
            o.seed = static_cast<std::uint32_t>(n);
        } else if (a == "--modem") {
            o.modem = true;
        } else if (a == "--dial-answer") {
            if (!value(i, v)) return false;
            if (v == "connect")
                o.dialAnswer = DialAnswer::Connect;
            else if (v == "busy")
                o.dialAnswer = DialAnswer::Busy;
            else if (v == "nodialtone")
                o.dialAnswer = DialAnswer::NoDialtone;
            else if (v == "nocarrier")
                o.dialAnswer = DialAnswer::NoCarrier;
            else if (v == "silent")
                o.dialAnswer = DialAnswer::Silent;
            else {
                error = "--dial-answer: '" + v +
                        "' is not connect, busy, nodialtone, nocarrier or silent";
                return false;
            }
        } else if (a == "--guard") {
            if (!number(i, 0, 60000, n)) return false;
            o.guardMs = static_cast<int>(n);
        } else if (a == "--log") {
            if (!value(i, o.logPath)) return false;
        } else if (a == "--link") {
            if (!value(i, o.linkPath)) return false;
        } else {
            error = "unknown option '" + a + "' (try --help)";
            return false;
        }
    }
    if (o.loggerRecords > o.loggerCapacity) {
        error = "--logger-records is larger than the logger capacity";
        return false;
    }
    out = o;
    return true;
}

}  // namespace flowcfg
