#include <gtest/gtest.h>

#include "Base/OutputChannel.h"
#include "Code/FrameRecord.h"
#include "Code/RunningCode.h"
#include "Code/RuntimeError.h"

namespace {

const std::string kHashes(92, '#');
const std::string kDashes(92, '-');

TEST(ErrorReport, AnObjectEventNamesTheActionTheObjectAndEveryActiveFunction) {
    RunningCodeScope running({RunningCode::Kind::ObjectEvent, "psl_Object_oNPC_Step_1", "oNPC", 3, 1, 0});
    FrameScope event("psl_Object_oNPC_Step_1");
    event.Line(4);
    FrameScope script("psl_Script_say");
    script.Line(12);

    RuntimeErrorCapture errors;
    RaiseRuntimeError("unable to convert string \"%s\" to number", "hi");
    ASSERT_EQ(errors.Reports().size(), 1u);
    EXPECT_EQ(errors.Reports()[0], kHashes + "\n"
                                   "FATAL ERROR in\n"
                                   "action number 1\n"
                                   "of Step Event1\n"
                                   "for object oNPC:\n\n\n"
                                   "unable to convert string \"hi\" to number\n"
                                   "at psl_Object_oNPC_Step_1\n" +
                                       kHashes + "\n" + kDashes + "\n" +
                                       "called from - psl_Script_say (line 12)\n"
                                       "called from - psl_Object_oNPC_Step_1 (line 4)\n");
    EXPECT_EQ(LastRuntimeError(), "unable to convert string \"hi\" to number");
}

TEST(ErrorReport, RoomCreationCodeAndTimeLinesHaveTheirOwnHeaders) {
    RuntimeErrorCapture errors;
    {
        RunningCodeScope running({RunningCode::Kind::RoomCreation, "psl_Room_rmSnow_Create", "rmSnow", -2, -1, 0});
        FrameScope room("psl_Room_rmSnow_Create");
        room.Line(-1);
        ShowError("Divide by zero", true);
    }
    {
        RunningCodeScope running({RunningCode::Kind::TimeLine, "psl_Timeline_tlIntro_3", "tlIntro", 0, 0, 30});
        ShowError("no such sound", false);
    }
    ASSERT_EQ(errors.Reports().size(), 2u);
    EXPECT_EQ(errors.Reports()[0], kHashes + "\n"
                                   "FATAL FATAL ERROR in Room Creation Code for room rmSnow\n\n\n"
                                   "Divide by zero\n"
                                   "at psl_Room_rmSnow_Create\n" +
                                       kHashes + "\n" + kDashes + "\n" +
                                       "called from - psl_Room_rmSnow_Create\n");
    // Not fatal: no prefix; the time line's code is no object handler, so no action number.
    EXPECT_EQ(errors.Reports()[1], kHashes + "\n"
                                   "ERROR in\naction number 0\nat time step30\nof time line tlIntro:\n\n\n"
                                   "no such sound\n"
                                   "at psl_Timeline_tlIntro_3\n" +
                                       kHashes + "\n" + kDashes + "\n");
    EXPECT_EQ(g_FrameChain, nullptr);
}

TEST(ErrorReport, EveryReportIsAnnouncedOnTheDebugOutput) {
    std::string debug;
    DebugOutput().CaptureTo(&debug);
    {
        RuntimeErrorCapture errors;
        RaiseRuntimeError("first index out of bounds request %d maximum size is %d", 3, 2);
    }
    DebugOutput().CaptureTo(nullptr);
    EXPECT_EQ(debug, "ERROR!!! :: first index out of bounds request 3 maximum size is 2\n");
}

TEST(ErrorReportDeathTest, AFatalReportEndsTheProcessWithCodeOne) {
    EXPECT_EXIT(RaiseRuntimeError("referencing argument index out of range %d", 1),
                ::testing::ExitedWithCode(1), "referencing argument index out of range 1");
}

} // namespace
