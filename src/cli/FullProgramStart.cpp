#include "cli/FullProgramStart.h"
#include "cli/CliCommand.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

int StartFullProgram(char **argv)
{
    // Beside the running executable, never through PATH: an installed vornprn-cli must not start
    // another installation's program.
    std::string self(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0 || length >= static_cast<ssize_t>(self.size())) {
        std::fprintf(stderr, "vornprn-cli: cannot find the folder of its own executable: %s\n",
                     std::strerror(length < 0 ? errno : ENAMETOOLONG));
        return ExitFailure;
    }
    self.resize(length);
    const std::string full = self.substr(0, self.rfind('/') + 1) + VORN_FULL_CLI;
    execv(full.c_str(), argv);
    std::fprintf(stderr, "vornprn-cli: cannot start %s, which runs every command but 'script': %s\n",
                 full.c_str(), std::strerror(errno));
    return ExitFailure;
}
