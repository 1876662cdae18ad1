// What libvivuraz.so.1 offers a program: its soname, exactly the six library functions and the
// control interface, and a header usable from C.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "tests/vivuraz/sim_fixture.h"

extern "C" {
std::size_t DeviceListLayoutFromC(std::size_t* countOffset, std::size_t* deviceOffset,
                                  std::size_t* restOffset);
std::int32_t OpenFromC(std::int32_t* count);
}

namespace {

using ::testing::HasSubstr;

std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    char chunk[4096];
    for (std::size_t got; pipe != nullptr && (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        text.append(chunk, got);
    }
    EXPECT_TRUE(pipe != nullptr && pclose(pipe) == 0) << command;
    return text;
}

TEST(VivuRAZExportsTest, LibraryExportsOnlyItsInterface) {
    std::istringstream symbols(
        Output(NM_PATH " -D --defined-only --format=just-symbols " VIVURAZ_LIBRARY_PATH));
    std::set<std::string> names;
    for (std::string name; std::getline(symbols, name);) {
        names.insert(name);
    }
    EXPECT_EQ(names,
              (std::set<std::string>{
                  "VivuRAZLib_Load", "VivuRAZLib_OpenDev", "VivuRAZLib_Q4870_AccessRegister",
                  "VivuRAZLib_Q4870_AccessConfigEEPROM", "VivuRAZLib_Q4870_AccessFirmwareEEPROM",
                  "VivuRAZLib_Unload", "VivuRAZSim_SetStateFolder", "VivuRAZSim_Reset",
                  "VivuRAZSim_Attach", "VivuRAZSim_SetFault", "VivuRAZSim_SetEmptyReads",
                  "VivuRAZSim_ClearFaults", "VivuRAZSim_SetVersion", "VivuRAZSim_SetJournal",
                  "VivuRAZSim_ClearJournal", "VivuRAZSim_ReadJournal"}));
    EXPECT_THAT(Output(READELF_PATH " -d " VIVURAZ_LIBRARY_PATH),
                HasSubstr("Library soname: [libvivuraz.so.1]"));
}

class VivuRAZHeaderFromCTest : public simtest::SimTest {};

TEST_F(VivuRAZHeaderFromCTest, RecordHasTheSameLayoutInC) {
    std::size_t count = 0, device = 0, rest = 0;
    EXPECT_EQ(DeviceListLayoutFromC(&count, &device, &rest), 452u);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(device, 4u);
    EXPECT_EQ(rest, 8u);
    std::int32_t found = 0;
    EXPECT_EQ(OpenFromC(&found), 0);
    EXPECT_EQ(found, 1);
}

}  // namespace
