#include "sim/SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "link/JBusFrame.h"
#include "sim/SimDate.h"
#include "sim/StateFile.h"

namespace flowcfg {

namespace {

// A partial frame is given up after this much silence at the least: a pseudo-terminal delivers
// a request in bursts that depend on the writer's scheduling, which a real UART would not.
constexpr double kMinimumSilence = 0.05;

timespec toTimespec(double seconds) {
    timespec ts{};
    if (seconds <= 0.0) return ts;
    ts.tv_sec = static_cast<time_t>(seconds);
    ts.tv_nsec = static_cast<long>((seconds - static_cast<double>(ts.tv_sec)) * 1e9);
    return ts;
}

}  // namespace

SimServer::SimServer(SimOptions options)
    : options_(std::move(options)),
      assembler_(FrameAssembler::silenceFor(options_.pace > 0 ? options_.pace : options_.baud,
                                            kMinimumSilence)),
      faults_(options_.faults, options_.seed),
      random_(options_.seed + 7),
      start_(std::chrono::steady_clock::now()) {
    if (options_.pace > 0) byteTime_ = 10.0 / options_.pace;
}

SimServer::~SimServer() {
    removeLink();
    if (stopPipe_[0] >= 0) ::close(stopPipe_[0]);
    if (stopPipe_[1] >= 0) ::close(stopPipe_[1]);
}

double SimServer::elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

bool SimServer::open(std::string& error) {
    if (PtyLine::speedConstant(options_.baud) == 0) {
        error = "--baud " + std::to_string(options_.baud) + " is not a serial line speed";
        return false;
    }
    if (pipe(stopPipe_) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    for (int fd : stopPipe_) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    if (!log_.open(options_.logPath, error)) return false;
    instrument_ = std::make_unique<Instrument>(options_, SimDate::localNow());
    if (!options_.statePath.empty()) {
        bool found = false;
        if (!StateFile::load(options_.statePath, *instrument_, 0.0, found, error)) return false;
        if (options_.slaveGiven || options_.baudGiven) {
            instrument_->restoreLine(options_.slaveGiven ? options_.slave : instrument_->slave(),
                                     options_.baudGiven ? options_.baud : instrument_->lineBaud());
        }
    }
    if (options_.modem) {
        modem_ = std::make_unique<HayesModem>(options_.dialAnswer, instrument_->lineBaud(),
                                              options_.guardMs / 1000.0);
    }
    if (!line_.open(instrument_->lineBaud(), error)) return false;
    updateLink();
    log_.event(elapsed(), "line", line_.path());
    return true;
}

void SimServer::stop() {
    stopping_ = true;
    const char c = 's';
    if (stopPipe_[1] >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(stopPipe_[1], &c, 1);
    }
}

bool SimServer::waitUntil(double time) {
    for (;;) {
        if (stopping_) return false;
        const double remaining = time - elapsed();
        if (remaining <= 0.0) return true;
        pollfd p{stopPipe_[0], POLLIN, 0};
        const timespec ts = toTimespec(remaining);
        if (ppoll(&p, 1, &ts, nullptr) > 0) return false;
    }
}

double SimServer::nextDeadline() const {
    double d = assembler_.deadline();
    if (modem_ && modem_->deadline() >= 0.0 && (d < 0.0 || modem_->deadline() < d)) {
        d = modem_->deadline();
    }
    if (replugAt_ >= 0.0 && (d < 0.0 || replugAt_ < d)) d = replugAt_;
    return d;
}

int SimServer::run() {
    while (!stopping_) {
        pollfd p[2] = {{stopPipe_[0], POLLIN, 0}, {line_.fd(), POLLIN, 0}};
        const nfds_t count = line_.isOpen() ? 2 : 1;
        const double deadline = nextDeadline();
        timespec ts{};
        const timespec* timeout = nullptr;
        if (deadline >= 0.0) {
            ts = toTimespec(deadline - elapsed());
            timeout = &ts;
        }
        const int ready = ppoll(p, count, timeout, nullptr);
        if (ready < 0 && errno != EINTR) break;
        if (stopping_ || (p[0].revents & POLLIN)) break;
        const double now = elapsed();
        if (count == 2 && (p[1].revents & (POLLIN | POLLHUP | POLLERR))) readLine(now);
        if (replugAt_ >= 0.0 && now >= replugAt_) replug(now);
        if (modem_) {
            HayesModem::Output out;
            modem_->tick(now, out);
            for (const std::string& text : out.log)
                log_.modem(now, text);
            if (!out.toLine.empty()) send(out.toLine, now);
        }
        assembler_.expire(elapsed());
        FrameAssembler::Frame frame;
        while (!stopping_ && line_.isOpen() && assembler_.next(frame))
            serve(frame);
    }
    std::string error;
    if (!saveState(error)) {
        std::fprintf(stderr, "flowsim: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

void SimServer::readLine(double now) {
    std::uint8_t buffer[512];
    for (;;) {
        const long n = line_.read(buffer, sizeof buffer);
        if (n <= 0) return;
        if (!modem_) {
            assembler_.add(buffer, static_cast<std::size_t>(n), now);
            continue;
        }
        HayesModem::Output out;
        modem_->receive(buffer, static_cast<std::size_t>(n), now, out);
        for (const std::string& text : out.log)
            log_.modem(now, text);
        if (!out.toInstrument.empty()) {
            assembler_.add(out.toInstrument.data(), out.toInstrument.size(), now);
        }
        if (!out.toLine.empty()) send(out.toLine, now);
    }
}

void SimServer::serve(const FrameAssembler::Frame& frame) {
    JBusFrame parsed;
    if (parsed.ParseFrame(frame.bytes) != linkresult::kOk) return;
    SlaveRequest q;
    q.slave = parsed.slave;
    q.function = parsed.function;
    const Bytes& p = parsed.payload;
    if (p.size() >= 4) {
        q.start = static_cast<std::uint16_t>(p[0] << 8 | p[1]);
        q.count = static_cast<std::uint16_t>(p[2] << 8 | p[3]);
    }
    if (q.function == 16 && p.size() >= 5) {
        q.byteCount = p[4];
        q.data.assign(p.begin() + 5, p.end());
    }
    // On a real line a request sent at another speed arrives as noise.
    const double now = elapsed();
    if (line_.peerBaud() != instrument_->lineBaud() || !instrument_->answersTo(q.slave)) {
        log_.request(now, q, "ignored");
        return;
    }
    // With pacing the request is only complete once its bytes had time to cross the line.
    const double received =
        byteTime_ > 0.0 ? frame.firstByteTime + byteTime_ * static_cast<double>(frame.bytes.size())
                        : frame.lastByteTime;

    const std::optional<FaultRule> fault = faults_.pick(q.start);
    if (fault && fault->kind == FaultRule::Kind::Unplug) {
        log_.request(now, q, "fault unplug");
        unplug(*fault, now);
        return;
    }
    if (fault && fault->kind == FaultRule::Kind::NoAnswer) {
        // The request is lost on its way: the instrument neither acts nor answers.
        log_.request(now, q, "fault noanswer");
        return;
    }

    SlaveReply reply;
    const std::size_t commandsBefore = instrument_->commands().size();
    if (fault && fault->kind == FaultRule::Kind::Exception) {
        reply.slave = static_cast<std::uint8_t>(instrument_->slave());
        reply.function = static_cast<std::uint8_t>(q.function | 0x80);
        reply.exception = static_cast<int>(fault->argument);
        reply.payload = {static_cast<std::uint8_t>(fault->argument)};
    } else {
        reply = instrument_->handle(q, now);
    }
    std::string outcome = reply.exception ? "exception " + std::to_string(reply.exception) : "ok";
    if (fault) outcome = std::string("fault ") + fault->name();
    log_.request(now, q, outcome);
    const std::vector<std::string>& commands = instrument_->commands();
    for (std::size_t i = commandsBefore; i < commands.size(); ++i) {
        log_.event(now, "command", commands[i]);
    }

    std::uint8_t replySlave = reply.slave;
    if (fault && fault->kind == FaultRule::Kind::WrongSlave) {
        replySlave =
            static_cast<std::uint8_t>(fault->hasArgument ? fault->argument : reply.slave % 247 + 1);
    }
    JBusFrame out;
    out.ResetFrame();
    out.BuildFrame(replySlave, reply.function, reply.payload);
    Bytes bytes = out.raw;
    double delay = options_.turnaroundMs / 1000.0;
    if (fault) {
        switch (fault->kind) {
            case FaultRule::Kind::BadCrc:
                bytes.back() ^= 0xFF;
                break;
            case FaultRule::Kind::Truncate: {
                const std::size_t keep = fault->hasArgument
                                             ? static_cast<std::size_t>(fault->argument)
                                             : bytes.size() / 2;
                bytes.resize(std::min(keep, bytes.size() - 1));
                break;
            }
            case FaultRule::Kind::Garbage: {
                const long n = fault->hasArgument ? fault->argument : 4;
                for (long i = 0; i < n; ++i)
                    bytes.push_back(static_cast<std::uint8_t>(random_()));
                break;
            }
            case FaultRule::Kind::Delay:
                delay += fault->argument / 1000.0;
                break;
            default:
                break;
        }
    }
    if (q.function == 16 && reply.exception == 0 && !options_.statePath.empty()) {
        std::string error;
        if (!saveState(error)) log_.event(now, "state", error);
    }
    send(bytes, received + delay);
}

void SimServer::send(const std::vector<std::uint8_t>& bytes, double start) {
    if (bytes.empty()) return;
    if (byteTime_ <= 0.0) {
        if (waitUntil(start)) line_.write(bytes.data(), bytes.size());
        return;
    }
    // Each byte leaves when its ten bits have crossed the line.
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        if (!waitUntil(start + byteTime_ * static_cast<double>(k + 1))) return;
        line_.write(&bytes[k], 1);
    }
}

void SimServer::unplug(const FaultRule& fault, double now) {
    line_.close();
    assembler_.clear();
    log_.event(now, "line", "unplugged");
    replugAt_ = fault.hasArgument ? now + fault.argument / 1000.0 : -1.0;
}

void SimServer::replug(double now) {
    replugAt_ = -1.0;
    std::string error;
    if (!line_.open(instrument_->lineBaud(), error)) {
        log_.event(now, "line", error);
        return;
    }
    updateLink();
    log_.event(now, "line", line_.path());
}

void SimServer::updateLink() {
    if (options_.linkPath.empty()) return;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path link(options_.linkPath);
    const fs::path temporary = link.string() + ".new";
    fs::remove(temporary, ec);
    fs::create_symlink(line_.path(), temporary, ec);
    if (!ec) fs::rename(temporary, link, ec);
    if (ec) log_.event(elapsed(), "line", "cannot link " + link.string() + ": " + ec.message());
}

void SimServer::removeLink() {
    if (options_.linkPath.empty()) return;
    std::error_code ec;
    if (std::filesystem::is_symlink(options_.linkPath, ec)) {
        std::filesystem::remove(options_.linkPath, ec);
    }
}

bool SimServer::saveState(std::string& error) {
    if (options_.statePath.empty() || !instrument_) return true;
    return StateFile::save(options_.statePath, *instrument_, elapsed(), error);
}

}  // namespace flowcfg
