// pkgtool's listings of a package checked against a case table in tools/data/: a case a line, the
// command, what follows the package on its command line, and what the listing holds ("=" first:
// the whole of it).
#pragma once

#include <gtest/gtest.h>

#include "CaseTable.h"
#include "Runner/ProcessRun.h"

inline void ExpectListings(const std::string& package, const std::string& table) {
    for (const TextCase& c : ReadCaseTable(TEST_SOURCE_DIR "/tools/data/" + table)) {
        const ProcessRun run = Execute(std::string(PKGTOOL_PATH) + " " + c.fields[0] + " " + package + " " + c.fields[1]);
        EXPECT_EQ(run.exit_code, 0) << c.line << "\n" << run.errors;
        const std::string& part = c.fields.at(2);
        if (part.starts_with('=')) EXPECT_EQ(run.output, part.substr(1)) << c.line;
        else EXPECT_NE(run.output.find(part), std::string::npos) << c.line << "\n" << run.output;
    }
}
