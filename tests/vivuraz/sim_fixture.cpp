#include "tests/vivuraz/sim_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace simtest {

SimTest::SimTest() : folder(temp / "state") {
    VivuRAZSim_SetStateFolder(nullptr);
    setenv("VIVURAZ_SIM_DIR", folder.c_str(), 1);
}

SimTest::~SimTest() {
    VivuRAZLib_Unload();
    unsetenv("VIVURAZ_SIM_DIR");
}

pid_t StartChild(const std::function<bool()>& work) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(work() ? 0 : 1);
    }
    return pid;
}

int WaitForChild(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> JournalLines() {
    const std::int32_t size = VivuRAZSim_ReadJournal(nullptr, 0);
    EXPECT_GE(size, 0);
    std::string text(static_cast<std::size_t>(std::max(size, 0)) + 1, '\0');
    VivuRAZSim_ReadJournal(text.data(), static_cast<std::int32_t>(text.size()));
    text.pop_back();
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

CliResult RunCli(const std::string& arguments, const std::string& environment) {
    const testsupport::TempDir output;
    const std::string errFile = (output / "stderr").string();
    const std::string command =
        environment + " " VIVURAZ_SIM_PATH " " + arguments + " 2>" + errFile;
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return result;
    }
    char chunk[4096];
    for (std::size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        result.out.append(chunk, got);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return result;
}

std::vector<std::uint8_t> DeviceContent(std::int32_t device) {
    std::string content;
    for (const char* part : {"config", "firmware", "registers"}) {
        const CliResult dump =
            RunCli("dump " + std::string(part) + " --device " + std::to_string(device));
        EXPECT_EQ(dump.exitCode, 0) << dump.err;
        content += dump.out + "|";
    }
    return {content.begin(), content.end()};
}

}  // namespace simtest
