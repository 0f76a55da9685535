#include "app/Cli.h"

#include "app/CliSupport.h"
#include "app/Commands.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include <unistd.h>

namespace corvellan {

namespace {

// Standard output written straight to its descriptor, every write checked: a
// report cut short on a full disk is a failure with the system's reason, not
// a success. The first failure is kept; what follows it is dropped.
class CheckedOutput : public std::streambuf {
  public:
    CheckedOutput() { setp(buffer_, buffer_ + sizeof buffer_); }

    // Writes what is buffered and closes the descriptor; "" or the reason.
    std::string finish() {
        sync();
        if (error_ == 0 && ::close(STDOUT_FILENO) != 0 && errno != EBADF) error_ = errno;
        return error_ == 0 ? std::string() : std::strerror(error_);
    }

  protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

  private:
    bool drain() {
        const char* at = pbase();
        while (error_ == 0 && at < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                error_ = n < 0 ? errno : EIO;
            else
                at += n;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return error_ == 0;
    }

    char buffer_[1 << 16];
    int error_ = 0;
};

} // namespace

int runCommandLine(int argc, char** argv) {
    // Past a limit on the size of files, a write fails with its reason
    // instead of ending the program half way through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    CheckedOutput output;
    std::streambuf* const standard = std::cout.rdbuf(&output);
    CommandLine cli;
    addSolveCommand(cli);
    addRenderMechanismCommand(cli);
    addRenderDiagramCommands(cli);
    addRenderEventsCommand(cli);
    addRenderCutOffsCommand(cli);
    addTableCommand(cli);
    addEventsCommand(cli);
    addCompareCommand(cli);
    addBalanceCommand(cli);
    addIndicatorCommand(cli);
    addPerformanceCommand(cli);
    addDesignSpaceCommands(cli);
    addRenderStudyCommands(cli);
    addRenderSteamCommands(cli);
    const int status = cli.run(std::vector<std::string>(argv + 1, argv + argc));
    const std::string why = output.finish();
    std::cout.rdbuf(standard);
    if (!why.empty()) return inputError("cannot write the output: " + why);
    return status;
}

} // namespace corvellan
