#include "PageSession.h"

#include <csignal>
#include <iostream>

#include "shell/PageBase.h"
#include "shell/SettingsKeys.h"

namespace flowcfg::cli {
namespace {

volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void onInterrupt(int) {
    interruptRequested = 1;
}

// SIGINT sets the flag while a page runs; the previous handler comes back afterwards.
class InterruptScope {
public:
    InterruptScope() { previous_ = std::signal(SIGINT, onInterrupt); }
    ~InterruptScope() { std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_); }
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

private:
    void (*previous_)(int) = SIG_DFL;
};

StartupEnvironment environmentFor(const InstrumentTarget& target, const CliContext& context) {
    StartupEnvironment environment = context.environment;
    environment.commandLine = target.configPath;
    return environment;
}

}  // namespace

PageSession::PageSession(const InstrumentTarget& target, CliContext& context, std::string command)
    : target_(target),
      context_(context),
      command_(command),
      application_(std::make_unique<Application>(environmentFor(target, context), RegistryStore())),
      terminal_(context.out, context.err, context.in ? *context.in : std::cin, false),
      connection_(target, context, std::move(command)) {
    application_->loadSettings(keys::kDefaultPrefix);
    language_ = PageBase::storedLanguage(IniFile(target.configPath));
    interruptRequested = 0;
}

PageSession::~PageSession() = default;

int PageSession::Open() {
    const int result = connection_.Open();
    // The page opens the same link again: a call made here is not made twice.
    application_->modemConnected = connection_.modemConnected();
    return result;
}

void PageSession::attach(AcquisitionPage& page) {
    page.setLinkSettings(target_.settings);
    queue_.attach(page);
}

bool PageSession::run(AcquisitionPage& page, const std::function<bool()>& done,
                      const std::function<void()>& each, std::chrono::milliseconds silence) {
    InterruptScope scope;
    constexpr std::chrono::milliseconds kStep(100);
    auto quiet = std::chrono::milliseconds(0);
    while (!done() && !page.closed()) {
        if (interruptRequested) return false;
        if (!queue_.pump(page, kStep)) {
            quiet += kStep;
            if (quiet >= silence) {
                context_.err << "flowcfg-cli " << command_ << ": the instrument link stalled\n";
                return false;
            }
            continue;
        }
        quiet = std::chrono::milliseconds(0);
        if (each) each();
    }
    return true;
}

bool PageSession::interrupted() const {
    return interruptRequested != 0;
}

}  // namespace flowcfg::cli
