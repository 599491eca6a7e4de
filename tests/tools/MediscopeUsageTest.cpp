// Mediscope's command line: anything but exactly one argument prints the usage lines
// and ends with -1.
#include "TestProcess.h"

#include <gtest/gtest.h>

using namespace kivora::test;

TEST(MediscopeUsage, WrongArgumentCountPrintsUsageAndFails)
{
    const std::string usage =
        "Mediscope <infile>\r\n"
        "infile = Input Windows Media file for which properties are sought\r\n";
    for (const wchar_t* arguments : {L"", L"a.wmv b.wmv"}) {
        SCOPED_TRACE(testing::Message() << "arguments: \"" << arguments << "\"");
        ProcessResult result = RunProgram(L"Mediscope.exe", arguments);
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.output, usage);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(-1));
    }
}
