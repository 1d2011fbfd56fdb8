// Tests on the test board: its description in the test's folder, and the test driver's controls
// (its registers, failures and call log) shared with the vek that the test runs in process.
#pragma once

#include "board_description.h"
#include "test_driver_library.h"
#include "vek_run.h"

namespace vek {

class BoardTest : public VekFolderTest {
protected:
    void SetUp() override {
        VekFolderTest::SetUp();
        board_ = VekFolderTest::Write("board.vek", test::BoardDescription());
    }

    std::string board_;
    test::TestDriverLibrary driver_;
};

} // namespace vek
